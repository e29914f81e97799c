#include "app/App.h"

#include "platform/FirstPaintProbe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kolmira"));
    // Start-up is measured to the play table's first paint.
    const platform::FirstPaintProbe firstPaint(QStringLiteral("Table"));
    // The application object takes the one menu bar and binds its menu
    // handlers; the event loop then sends it Open.
    App app;
    return app.Run();
}

#include "app/App.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// With KOLMIRA_QUIT_AFTER_FIRST_PAINT=1 the game ends as soon as the play
// table has been painted once: start-up is measured this way.
class QuitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QStringLiteral("Table")) {
            // Queued, so the paint itself completes first.
            QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kolmira"));
    QuitAfterFirstPaint quitAfterPaint;
    if (qEnvironmentVariableIntValue("KOLMIRA_QUIT_AFTER_FIRST_PAINT") != 0) {
        application.installEventFilter(&quitAfterPaint);
    }
    // The application object takes the one menu bar and binds its menu
    // handlers; the event loop then sends it Open.
    App app;
    return app.Run();
}

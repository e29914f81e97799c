#include "platform/FirstPaintProbe.h"

#include <QApplication>
#include <QMainWindow>

// The yardstick for the game's start-up: an empty Qt main window of the play
// window's size, started and measured exactly as the game is.
namespace {

constexpr int kPlayWindowWidth = 1000;
constexpr int kPlayWindowHeight = 650;

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const platform::FirstPaintProbe firstPaint(QStringLiteral("EmptyWindow"));
    QMainWindow window;
    window.setObjectName(QStringLiteral("EmptyWindow"));
    window.resize(kPlayWindowWidth, kPlayWindowHeight);
    window.show();
    return QApplication::exec();
}

#include "platform/System.h"

#include <QApplication>
#include <QDesktopServices>
#include <QScreen>
#include <QUrl>

namespace platform {

SystemHooks& Hooks()
{
    static SystemHooks hooks;
    return hooks;
}

void ResetSystemHooks()
{
    Hooks() = SystemHooks{};
}

void Beep()
{
    if (Hooks().beep) {
        Hooks().beep();
        return;
    }
    QApplication::beep();
}

void ShowURL(const QString& url)
{
    if (Hooks().showURL) {
        Hooks().showURL(url);
        return;
    }
    QDesktopServices::openUrl(QUrl(url));
}

void Quit(int status)
{
    if (Hooks().quit) {
        Hooks().quit(status);
        return;
    }
    QCoreApplication::exit(status);
}

ScreenInfo Screen(int index)
{
    if (Hooks().screen) {
        return Hooks().screen(index);
    }
    ScreenInfo info;
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = (index >= 0 && index < screens.size()) ? screens.at(index)
                                                              : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        info.Width = screen->geometry().width();
        info.Height = screen->geometry().height();
        info.Depth = screen->depth();
        info.Available = screen->availableGeometry();
    }
    return info;
}

bool SystemGestalt(const QString& selector, std::int32_t& result)
{
    if (Hooks().gestalt) {
        return Hooks().gestalt(selector, result);
    }
    return false;
}

} // namespace platform

#include "platform/Application.h"

#include "platform/EventGuard.h"
#include "platform/controls/Window.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QProxyStyle>
#include <QTimer>
#include <vector>

namespace platform {

namespace {

Application* gInstance = nullptr;

// The desktop's own style, except for the arrow of a menu bar's overflow
// button: the game's menus always fit its window, so the arrow is never
// shown, and its picture would be read from file for every menu bar made.
class GameStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
            return {};
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

Application::Application()
{
    gInstance = this;
    // Quitting on the last window is the game's own decision (AutoQuit).
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        app->setQuitOnLastWindowClosed(false);
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        QApplication::setStyle(new GameStyle); // the application takes it
    }
}

Application::~Application()
{
    if (gInstance == this) {
        gInstance = nullptr;
    }
}

Application* Application::Instance()
{
    return gInstance;
}

void Application::AddMenuHandler(const QString& itemName, MenuHandlerFn handler)
{
    mMenuHandlers[itemName] = std::move(handler);
}

const Application::MenuHandlerFn* Application::MenuHandler(const QString& itemName) const
{
    const auto it = mMenuHandlers.find(itemName);
    return it == mMenuHandlers.end() ? nullptr : &it->second;
}

void Application::Open()
{
    if (mOpened) {
        return;
    }
    mOpened = true;
    RunGuarded([this] { Event_Open(); });
}

int Application::Run()
{
    QTimer::singleShot(0, [this] { Open(); });
    const int status = QCoreApplication::exec();
    // A quit closes the windows still open, as the player would, so their
    // Close events keep what they hold (the play table saves the game in
    // progress). The quit is already under way: the last window closing
    // asks for none.
    mAutoQuit = false;
    std::vector<QPointer<Window>> windows;
    for (int i = 0; i < Window::WindowCount(); ++i) {
        windows.emplace_back(Window::WindowAt(i));
    }
    for (const QPointer<Window>& window : windows) {
        if (window) {
            window->close();
        }
    }
    return status;
}

} // namespace platform

#include "platform/Application.h"

#include "platform/EventGuard.h"

#include <QApplication>
#include <QTimer>

namespace platform {

namespace {

Application* gInstance = nullptr;

} // namespace

Application::Application()
{
    gInstance = this;
    // Quitting on the last window is the game's own decision (AutoQuit).
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        app->setQuitOnLastWindowClosed(false);
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
    return QCoreApplication::exec();
}

} // namespace platform

#include "app/WindowMenuItem.h"

#include "app/MainMenuBarMac.h"
#include "platform/NilObjectException.h"
#include "platform/controls/Window.h"

WindowMenuItem::WindowMenuItem(platform::Window* window)
    : mWindow(window)
{
}

bool WindowMenuItem::Event_Action()
{
    platform::Deref(mWindow).Show();
    return false;
}

void WindowMenuItem::RemoveFromMenu()
{
    mWindow = nullptr;
    auto self = shared_from_this();
    platform::Deref(MainMenuBarMac::Instance()->Child(QStringLiteral("WindowMenu"))).Remove(self);
}

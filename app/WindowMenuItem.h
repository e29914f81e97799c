#pragma once

#include "platform/controls/MenuItem.h"

#include <QPointer>

namespace platform {
class Window;
}

// A window's own entry at the foot of the Window menu: choosing it shows the
// window. It has no name, so no handler binds to it.
class WindowMenuItem : public platform::MenuItem {
public:
    explicit WindowMenuItem(platform::Window* window);

    bool Event_Action() override;
    // Forgets the window, then leaves the Window menu.
    void RemoveFromMenu();

    platform::Window* mWindow = nullptr;
};

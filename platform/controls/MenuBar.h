#pragma once

#include "platform/controls/MenuItem.h"

#include <QPointer>
#include <Qt>
#include <memory>
#include <vector>

class QKeyEvent;
class QMenuBar;
class QObject;
class QWidget;

namespace platform {

class Window;

// The root of the menu tree; its children are the menus. One bar may be shown
// in several windows (each gets a QMenuBar over the same menus). The bar also
// carries the menu logic that is the same for every window:
// - before a menu opens or a shortcut fires, items whose AutoEnable is false
//   are reset to disabled, the others enabled, and then the application's and
//   the front window's enabling events run;
// - a chosen item first runs its own Action, then the handler bound to its
//   name in the front window, then the application's.
// Shortcuts ("Cmd+N" is Ctrl+N here) reach every window of the game.
class MenuBar : public MenuItem {
public:
    MenuBar();
    ~MenuBar() override;

    // A Qt menu bar showing these menus, as a child of parent.
    QMenuBar* CreateQtMenuBar(QWidget* parent);

    // The enabling pass described above, for the given front window (null:
    // the application's alone).
    void EnableMenuItems(Window* front);
    void EnableMenuItems();

    // Runs the command of an item (as if chosen in its menu) for the front
    // window, or for the given one.
    void Choose(MenuItem& item);
    void Choose(MenuItem& item, Window* front);

    // The item whose shortcut is this key, or null.
    MenuItem* FindShortcut(int key, Qt::KeyboardModifiers modifiers);

    // A key press that is one of the bar's shortcuts: refreshes the states
    // and runs the item when enabled. True when the key was a shortcut.
    bool HandleShortcut(const QKeyEvent& event, Window* front);

private:
    friend class MenuItem;
    void MenuAppended(MenuItem& menu);
    void MenuRemoved(MenuItem& menu);

    std::vector<QPointer<QMenuBar>> mQtBars;
    std::unique_ptr<QObject> mKeyFilter;
};

} // namespace platform

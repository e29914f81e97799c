#pragma once

// Menus as the player works them: a click on a menu's title in the window's
// own menu bar opens it (the game works out its items' states as it opens),
// and a click on an item chooses it.

#include <QString>

namespace platform {
class Window;
}
class QAction;
class QMenu;

namespace MenuInput {

// Opens the named menu of the window's bar; the menu is on show on return.
QMenu& Open(const platform::Window& window, const QString& menu);

// The item's entry in the open menu, as the player sees it (its caption,
// whether it is enabled, its check mark).
QAction& Shown(const platform::Window& window, const QString& menu, const QString& item);

// Opens the menu and clicks the item. An item shown disabled takes no click:
// the menu is closed with Escape and false returned.
bool Choose(const platform::Window& window, const QString& menu, const QString& item);

} // namespace MenuInput

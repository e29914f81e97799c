#pragma once

#include "platform/controls/MenuBar.h"

#include <memory>

// The game's one menu bar: Game, Online, Window and Help. It is built whole
// on first use and shared by the application and the play window.
class MainMenuBarMac : public platform::MenuBar {
public:
    // The shared bar; created and built on the first call.
    static std::shared_ptr<MainMenuBarMac> Instance();

    MainMenuBarMac();

    using platform::MenuBar::Item;
    // The item of that name in that menu; raises NilObjectException when
    // either is missing.
    platform::MenuItem& Item(const QString& menuName, const QString& itemName) const;
};

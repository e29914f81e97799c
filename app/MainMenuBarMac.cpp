#include "app/MainMenuBarMac.h"

#include "app/SiteAddress.h"
#include "platform/NilObjectException.h"

#include <array>

namespace {

enum class Kind { Plain, Separator, Quit, Apple };

struct ItemRow {
    const char* menu;
    const char* name;
    Kind kind;
    const char* caption; // UTF-8; an empty caption on the Visit row is filled in
    const char* shortcut;
    bool autoEnable;
};

struct MenuRow {
    const char* name;
    const char* caption;
};

constexpr std::array<MenuRow, 4> kMenus{{
    {"GameMenu", "Game"},
    {"OnlineMenu", "Online"},
    {"WindowMenu", "Window"},
    {"HelpMenu", "Help"},
}};

// Bar order. The ellipsis is the single character U+2026 in captions and in
// the three Online names that keep it.
constexpr std::array<ItemRow, 28> kItems{{
    {"GameMenu", "GameNewPuzzle", Kind::Plain, "New Puzzle", "Cmd+N", true},
    {"GameMenu", "GameOpenPuzzleNumber", Kind::Plain, "Open Puzzle Number\u2026", "Cmd+O", true},
    {"GameMenu", "UntitledSeparator6", Kind::Separator, "-", "", true},
    {"GameMenu", "GameGetHint", Kind::Plain, "Get Hint", "", false},
    {"GameMenu", "UntitledSeparator4", Kind::Separator, "-", "", true},
    {"GameMenu", "GameStatistics", Kind::Plain, "Statistics", "", false},
    {"GameMenu", "GameDetailedStatistics", Kind::Plain, "Detailed Statistics", "", true},
    {"GameMenu", "UntitledSeparator7", Kind::Separator, "-", "", true},
    {"GameMenu", "GameMakeGameHarder", Kind::Plain, "Make Game Harder", "", true},
    {"GameMenu", "UntitledSeparator", Kind::Separator, "-", "", true},
    {"GameMenu", "GameCloseWindow", Kind::Plain, "Close Window", "Cmd+W", true},
    {"GameMenu", "GameQuit", Kind::Quit, "Quit", "Cmd+Q", true},
    {"OnlineMenu", "OnlineVisitKolmiracom", Kind::Plain, "", "", true},
    {"OnlineMenu", "OnlineCheckforUpdate\u2026", Kind::Plain, "Check for Update\u2026", "", true},
    {"OnlineMenu", "UntitledSeparator3", Kind::Separator, "-", "", true},
    {"OnlineMenu", "OnlineGetUpgradeNotices\u2026", Kind::Plain, "Get Upgrade Notices\u2026", "", true},
    {"OnlineMenu", "OnlineTellFriendsaboutKolmira\u2026", Kind::Plain, "Tell Friends about Kolmira\u2026", "", true},
    {"WindowMenu", "WindowMinimize", Kind::Plain, "Minimize", "Cmd+M", false},
    {"WindowMenu", "UntitledMenu1", Kind::Separator, "-", "", true},
    {"WindowMenu", "WindowBringAlltoFront", Kind::Plain, "Bring All to Front", "", false},
    {"WindowMenu", "UntitledSeparator5", Kind::Separator, "-", "", true},
    {"HelpMenu", "HelpKolmiraHelp", Kind::Plain, "Kolmira Help", "Cmd+?", false},
    {"HelpMenu", "UntitledSeparator0", Kind::Separator, "-", "", true},
    {"HelpMenu", "HelpContactPelkavineSupport", Kind::Plain, "Contact Pelkavine Support\u2026", "", true},
    {"HelpMenu", "UntitledSeparator1", Kind::Separator, "-", "", true},
    {"HelpMenu", "HelpLicense", Kind::Plain, "License", "", true},
    {"HelpMenu", "UntitledSeparator2", Kind::Separator, "-", "", true},
    {"HelpMenu", "HelpAboutKolmira", Kind::Apple, "About Kolmira", "", true},
}};

std::shared_ptr<platform::MenuItem> MakeItem(Kind kind)
{
    switch (kind) {
    case Kind::Quit:
        return std::make_shared<platform::QuitMenuItem>();
    case Kind::Apple:
        return std::make_shared<platform::AppleMenuItem>();
    default:
        return std::make_shared<platform::MenuItem>();
    }
}

} // namespace

std::shared_ptr<MainMenuBarMac> MainMenuBarMac::Instance()
{
    static const std::shared_ptr<MainMenuBarMac> instance = std::make_shared<MainMenuBarMac>();
    return instance;
}

MainMenuBarMac::MainMenuBarMac()
{
    for (const MenuRow& menuRow : kMenus) {
        auto menu = std::make_shared<platform::MenuItem>();
        menu->SetName(QString::fromUtf8(menuRow.name));
        menu->SetAutoEnable(true);
        menu->SetText(QString::fromUtf8(menuRow.caption));
        menu->SetKeyboardShortcut(QString());
        Append(menu);
        for (const ItemRow& row : kItems) {
            if (QString::fromUtf8(row.menu) != menu->Name()) {
                continue;
            }
            auto item = MakeItem(row.kind);
            item->SetName(QString::fromUtf8(row.name));
            item->SetAutoEnable(row.autoEnable);
            QString caption = QString::fromUtf8(row.caption);
            if (caption.isEmpty()) {
                caption = QStringLiteral("Visit ") + kProductSiteName;
            }
            item->SetText(caption);
            if (row.kind != Kind::Separator) {
                item->SetKeyboardShortcut(QString::fromUtf8(row.shortcut));
            }
            platform::Deref(Child(menu->Name())).Append(item);
        }
    }
}

platform::MenuItem& MainMenuBarMac::Item(const QString& menuName, const QString& itemName) const
{
    return platform::Deref(platform::Deref(Child(menuName)).Child(itemName));
}

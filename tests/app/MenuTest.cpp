#include "tests/support/GameSession.h"

#include "app/MainMenuBarMac.h"
#include "platform/MenuItem.h"

#include <QAction>
#include <QTest>

namespace {

struct Row {
    const char* name;
    const char* caption;
    const char* shortcut; // nullptr: a separator, which carries none
};

// Bar order, menu by menu.
const std::vector<std::pair<const char*, std::vector<Row>>> kExpected{
    {"GameMenu",
     {{"GameNewPuzzle", "New Puzzle", "Cmd+N"},
      {"GameOpenPuzzleNumber", "Open Puzzle Number\u2026", "Cmd+O"},
      {"UntitledSeparator6", "-", nullptr},
      {"GameGetHint", "Get Hint", ""},
      {"UntitledSeparator4", "-", nullptr},
      {"GameStatistics", "Statistics", ""},
      {"GameDetailedStatistics", "Detailed Statistics", ""},
      {"UntitledSeparator7", "-", nullptr},
      {"GameMakeGameHarder", "Make Game Harder", ""},
      {"UntitledSeparator", "-", nullptr},
      {"GameCloseWindow", "Close Window", "Cmd+W"},
      {"GameQuit", "Quit", "Cmd+Q"}}},
    {"OnlineMenu",
     {{"OnlineVisitKolmiracom", "Visit Kolmira.example.com", ""},
      {"OnlineCheckforUpdate\u2026", "Check for Update\u2026", ""},
      {"UntitledSeparator3", "-", nullptr},
      {"OnlineGetUpgradeNotices\u2026", "Get Upgrade Notices\u2026", ""},
      {"OnlineTellFriendsaboutKolmira\u2026", "Tell Friends about Kolmira\u2026", ""}}},
    {"WindowMenu",
     {{"WindowMinimize", "Minimize", "Cmd+M"},
      {"UntitledMenu1", "-", nullptr},
      {"WindowBringAlltoFront", "Bring All to Front", ""},
      {"UntitledSeparator5", "-", nullptr}}},
    {"HelpMenu",
     {{"HelpKolmiraHelp", "Kolmira Help", "Cmd+?"},
      {"UntitledSeparator0", "-", nullptr},
      {"HelpContactPelkavineSupport", "Contact Pelkavine Support\u2026", ""},
      {"UntitledSeparator1", "-", nullptr},
      {"HelpLicense", "License", ""},
      {"UntitledSeparator2", "-", nullptr},
      {"HelpAboutKolmira", "About Kolmira", ""}}},
};

platform::MenuItem& Item(const char* menu, const char* item)
{
    return MainMenuBarMac::Instance()->Item(QString::fromUtf8(menu), QString::fromUtf8(item));
}

} // namespace

using Menus = GameSession;

TEST_F(Menus, TheBarHoldsEveryMenuAndItemInOrder)
{
    auto bar = MainMenuBarMac::Instance();
    EXPECT_EQ(bar, MainMenuBarMac::Instance());
    ASSERT_EQ(bar->Count(), 4);
    for (std::size_t m = 0; m < kExpected.size(); ++m) {
        const auto& [menuName, rows] = kExpected[m];
        const auto menu = bar->Item(static_cast<int>(m));
        EXPECT_EQ(menu->Name(), QString::fromUtf8(menuName));
        ASSERT_EQ(menu->Count(), static_cast<int>(rows.size())) << menuName;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto item = menu->Item(static_cast<int>(i));
            EXPECT_EQ(item->Name(), QString::fromUtf8(rows[i].name));
            EXPECT_EQ(item->Text(), QString::fromUtf8(rows[i].caption));
            EXPECT_EQ(item->HasShortcutSet(), rows[i].shortcut != nullptr) << rows[i].name;
            if (rows[i].shortcut != nullptr) {
                EXPECT_EQ(item->KeyboardShortcut(), QString::fromUtf8(rows[i].shortcut));
            }
        }
    }
    EXPECT_NE(dynamic_cast<platform::QuitMenuItem*>(&Item("GameMenu", "GameQuit")), nullptr);
    EXPECT_NE(dynamic_cast<platform::AppleMenuItem*>(&Item("HelpMenu", "HelpAboutKolmira")), nullptr);
}

TEST_F(Menus, EnablingFollowsTheGameState)
{
    StartGame();
    auto bar = MainMenuBarMac::Instance();
    auto refresh = [&] { bar->EnableMenuItems(&Window()); };
    auto& hint = Item("GameMenu", "GameGetHint");
    auto& stats = Item("GameMenu", "GameStatistics");
    auto& help = Item("HelpMenu", "HelpKolmiraHelp");
    auto& minimize = Item("WindowMenu", "WindowMinimize");

    refresh(); // first run: the Help page
    EXPECT_TRUE(hint.Enabled());
    EXPECT_TRUE(stats.Enabled());
    EXPECT_FALSE(help.Enabled());
    EXPECT_TRUE(minimize.Enabled());
    EXPECT_TRUE(Item("WindowMenu", "WindowBringAlltoFront").Enabled());

    Window().SetSidebarTab(PlayWindow::kStatsPage);
    Puzzle().mHintCount = PlayWindow::kMaxHints;
    refresh();
    EXPECT_FALSE(stats.Enabled());
    EXPECT_TRUE(help.Enabled());
    EXPECT_FALSE(hint.Enabled());

    Puzzle().mHintCount = 6;
    Puzzle().mIsWon = true;
    refresh();
    EXPECT_FALSE(hint.Enabled());

    Puzzle().mIsWon = false;
    gPrefMakeGameHarder = true;
    refresh();
    EXPECT_TRUE(hint.Enabled());
    EXPECT_TRUE(Item("GameMenu", "GameMakeGameHarder").Checked());

    // Minimized, nothing of the window is enabled, and the check mark stays.
    bar->Choose(minimize, &Window());
    EXPECT_TRUE(Window().mMinimized);
    gPrefMakeGameHarder = false;
    refresh();
    EXPECT_FALSE(hint.Enabled());
    EXPECT_FALSE(stats.Enabled());
    EXPECT_FALSE(help.Enabled());
    EXPECT_FALSE(minimize.Enabled());
    EXPECT_FALSE(Item("WindowMenu", "WindowBringAlltoFront").Enabled());
    EXPECT_TRUE(Item("GameMenu", "GameMakeGameHarder").Checked());
    Window().Show();
    EXPECT_FALSE(Window().mMinimized);
}

TEST_F(Menus, ApplicationCommandsOpenTheSitesPages)
{
    StartGame();
    auto bar = MainMenuBarMac::Instance();
    for (const char* name : {"OnlineVisitKolmiracom", "OnlineCheckforUpdate\u2026", "OnlineGetUpgradeNotices\u2026",
                             "OnlineTellFriendsaboutKolmira\u2026"}) {
        bar->Choose(Item("OnlineMenu", name), &Window());
    }
    bar->Choose(Item("HelpMenu", "HelpContactPelkavineSupport"), &Window());
    const QString site = QStringLiteral("https://kolmira.example.com");
    EXPECT_EQ(mUrls, (QStringList{site + "/", site + "/upgrade/?os=mac&version=1.1", site + "/elist/",
                                  site + "/share/", site + "/contact/"}));
}

TEST_F(Menus, WindowCommandsActOnThePlayWindow)
{
    StartGame();
    auto bar = MainMenuBarMac::Instance();
    // Shortcuts reach the window as real key presses.
    QTest::keyClick(&Window(), Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    bar->Choose(Item("GameMenu", "GameStatistics"), &Window());
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kStatsPage);

    bar->Choose(Item("GameMenu", "GameGetHint"), &Window());
    EXPECT_EQ(Puzzle().mHintCount, 1);

    const int before = Puzzle().mPuzzleNumber;
    QTest::keyClick(&Window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_NE(Puzzle().mPuzzleNumber, before);
    EXPECT_EQ(Puzzle().mHintCount, 0);
    EXPECT_EQ(Window().Title(), QString("Kolmira - Puzzle #%1").arg(Puzzle().mPuzzleNumber));

    // Toggled twice: stored each time, back where it started.
    bar->Choose(Item("GameMenu", "GameMakeGameHarder"), &Window());
    EXPECT_TRUE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());
    bar->Choose(Item("GameMenu", "GameMakeGameHarder"), &Window());
    EXPECT_FALSE(gPrefMakeGameHarder);
    EXPECT_FALSE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());

    Window().LoadPuzzleNumber(0);
    Window().LoadPuzzleNumber(31);
    EXPECT_NE(Puzzle().mPuzzleNumber, 0);
    Window().LoadPuzzleNumber(30);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 30);
    Window().LoadPuzzleNumber(1);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 1);

    // The Window-menu entry shows its window and follows its activation.
    auto entry = MainMenuBarMac::Instance()->Child("WindowMenu")->Item(4);
    Window().Event_Deactivate();
    EXPECT_FALSE(entry->Checked());
    Window().Event_Activate();
    EXPECT_TRUE(entry->Checked());
    Window().Minimize();
    EXPECT_FALSE(entry->Checked());
    bar->Choose(*entry, &Window());
    EXPECT_FALSE(Window().IsMinimized());

    bar->Choose(Item("GameMenu", "GameQuit"), &Window());
    EXPECT_EQ(mQuits, 1);
    bar->Choose(Item("GameMenu", "GameCloseWindow"), gPlayWindow);
    EXPECT_EQ(gPlayWindow, nullptr);
}

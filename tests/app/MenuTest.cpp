#include "tests/support/GameSession.h"

#include "app/MainMenuBarMac.h"
#include "platform/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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

class Menus : public GameSession {
protected:
    // Opens a menu with a click on its title in the play window's menu bar.
    QMenu& Open(platform::MenuItem& menu)
    {
        auto& shownBar = platform::Deref(Window().findChild<QMenuBar*>());
        WindowInput::Click(shownBar, shownBar.actionGeometry(menu.QtAction()).center());
        QMenu& shown = *menu.QtMenu();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&shown));
        return shown;
    }
};

TEST_F(Menus, TheBarHoldsEveryMenuAndItemInOrderAndShowsSeparatorsAsLines)
{
    StartShown();
    auto bar = MainMenuBarMac::Instance();
    ASSERT_EQ(bar->Count(), 4);
    for (std::size_t m = 0; m < kExpected.size(); ++m) {
        const auto& [menuName, rows] = kExpected[m];
        const auto menu = bar->Item(static_cast<int>(m));
        EXPECT_EQ(menu->Name(), QString::fromUtf8(menuName));
        // The Window menu ends with the play window's own entry.
        const int entries = menu->Name() == "WindowMenu" ? 1 : 0;
        ASSERT_EQ(menu->Count(), static_cast<int>(rows.size()) + entries) << menuName;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto item = menu->Item(static_cast<int>(i));
            EXPECT_EQ(item->Name(), QString::fromUtf8(rows[i].name));
            EXPECT_EQ(item->Text(), QString::fromUtf8(rows[i].caption));
            EXPECT_EQ(item->HasShortcutSet(), rows[i].shortcut != nullptr) << rows[i].name;
            if (rows[i].shortcut != nullptr) {
                EXPECT_EQ(item->KeyboardShortcut(), QString::fromUtf8(rows[i].shortcut));
            }
        }
        // What the opened menu shows: a separator is a line, with no caption.
        QMenu& shown = Open(*menu);
        const auto actions = shown.actions();
        ASSERT_GE(actions.size(), static_cast<qsizetype>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool separator = rows[i].shortcut == nullptr;
            EXPECT_EQ(actions[static_cast<qsizetype>(i)]->isSeparator(), separator) << rows[i].name;
            EXPECT_EQ(actions[static_cast<qsizetype>(i)]->text().isEmpty(), separator) << rows[i].name;
        }
        WindowInput::Key(shown, Qt::Key_Escape);
        EXPECT_FALSE(shown.isVisible());
    }
    EXPECT_NE(dynamic_cast<platform::QuitMenuItem*>(&Item("GameMenu", "GameQuit")), nullptr);
    EXPECT_NE(dynamic_cast<platform::AppleMenuItem*>(&Item("HelpMenu", "HelpAboutKolmira")), nullptr);
}

TEST_F(Menus, EnablingFollowsTheGameState)
{
    StartGame();
    auto bar = MainMenuBarMac::Instance();
    auto& hint = Item("GameMenu", "GameGetHint");
    auto& stats = Item("GameMenu", "GameStatistics");
    auto& help = Item("HelpMenu", "HelpKolmiraHelp");
    auto& harder = Item("GameMenu", "GameMakeGameHarder");
    const std::vector<platform::MenuItem*> windowItems{&hint, &stats, &help, &Item("WindowMenu", "WindowMinimize"),
                                                        &Item("WindowMenu", "WindowBringAlltoFront")};
    // Each step: page, hints, won, harder; then hint, stats and help enabled.
    struct Step {
        int page, hints;
        bool won, harder, hintOn, statsOn, helpOn;
    };
    for (const Step& s : {Step{PlayWindow::kHelpPage, 0, false, false, true, true, false},
                          Step{PlayWindow::kStatsPage, PlayWindow::kMaxHints, false, false, false, false, true},
                          Step{PlayWindow::kPlayPage, PlayWindow::kMaxHints - 1, true, false, false, true, true},
                          Step{PlayWindow::kPlayPage, PlayWindow::kMaxHints - 1, false, true, true, true, true}}) {
        Window().SetSidebarTab(s.page);
        Puzzle().mHintCount = s.hints;
        Puzzle().mIsWon = s.won;
        gPrefMakeGameHarder = s.harder;
        bar->EnableMenuItems(&Window());
        EXPECT_EQ(hint.Enabled(), s.hintOn) << s.page << " " << s.hints;
        EXPECT_EQ(stats.Enabled(), s.statsOn) << s.page;
        EXPECT_EQ(help.Enabled(), s.helpOn) << s.page;
        EXPECT_EQ(harder.Checked(), s.harder);
        EXPECT_TRUE(windowItems[3]->Enabled() && windowItems[4]->Enabled());
    }

    // Minimized, nothing of the window is enabled, and the check mark stays.
    bar->Choose(Item("WindowMenu", "WindowMinimize"), &Window());
    EXPECT_TRUE(Window().mMinimized);
    gPrefMakeGameHarder = false;
    bar->EnableMenuItems(&Window());
    for (platform::MenuItem* item : windowItems) {
        EXPECT_FALSE(item->Enabled()) << item->Name().toStdString();
    }
    EXPECT_TRUE(harder.Checked());
    Window().Show();
    EXPECT_FALSE(Window().mMinimized);
}

TEST_F(Menus, CommandsActOnThePlayWindowAndOpenTheSitesPages)
{
    StartShown();
    auto bar = MainMenuBarMac::Instance();
    const auto choose = [&](const char* menu, const char* item) { bar->Choose(Item(menu, item), &Window()); };
    for (const char* name : {"OnlineVisitKolmiracom", "OnlineCheckforUpdate\u2026", "OnlineGetUpgradeNotices\u2026",
                             "OnlineTellFriendsaboutKolmira\u2026"}) {
        choose("OnlineMenu", name);
    }
    choose("HelpMenu", "HelpContactPelkavineSupport");
    const QString site = QStringLiteral("https://kolmira.example.com");
    EXPECT_EQ(mUrls, (QStringList{site + "/", site + "/upgrade/?os=mac&version=1.1", site + "/elist/",
                                  site + "/share/", site + "/contact/"}));

    // Shortcuts reach the window as real key presses.
    WindowInput::Key(Window(), Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    choose("GameMenu", "GameStatistics");
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kStatsPage);
    choose("GameMenu", "GameGetHint");
    EXPECT_EQ(Puzzle().mHintCount, 1);
    const int before = Puzzle().mPuzzleNumber;
    WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_NE(Puzzle().mPuzzleNumber, before);
    EXPECT_EQ(Puzzle().mHintCount, 0);
    EXPECT_EQ(Window().Title(), TitleFor(Puzzle().mPuzzleNumber));

    // Toggled twice: stored each time, back where it started.
    choose("GameMenu", "GameMakeGameHarder");
    EXPECT_TRUE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());
    choose("GameMenu", "GameMakeGameHarder");
    EXPECT_FALSE(gPrefMakeGameHarder);
    EXPECT_FALSE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());

    // Numbers out of range load nothing.
    Window().LoadPuzzleNumber(30);
    Window().LoadPuzzleNumber(0);
    Window().LoadPuzzleNumber(31);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 30);

    // The Window-menu entry shows its window and follows its activation;
    // choosing it while the window is active keeps its check mark.
    auto entry = MainMenuBarMac::Instance()->Child("WindowMenu")->Item(4);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    EXPECT_TRUE(entry->Checked());
    for (int pick = 0; pick < 2; ++pick) {
        QMenu& windowMenu = Open(*MainMenuBarMac::Instance()->Child("WindowMenu"));
        WindowInput::Click(windowMenu, windowMenu.actionGeometry(entry->QtAction()).center());
        EXPECT_TRUE(Window().isActiveWindow());
        EXPECT_TRUE(entry->Checked());
        EXPECT_TRUE(entry->QtAction()->isChecked());
    }
    Window().Event_Deactivate();
    EXPECT_FALSE(entry->Checked());
    Window().Event_Activate();
    EXPECT_TRUE(entry->Checked());
    Window().Minimize();
    EXPECT_FALSE(entry->Checked());
    bar->Choose(*entry, &Window());
    EXPECT_FALSE(Window().IsMinimized());

    choose("GameMenu", "GameQuit");
    EXPECT_EQ(mQuits, 1);
    bar->Choose(Item("GameMenu", "GameCloseWindow"), gPlayWindow);
    EXPECT_EQ(gPlayWindow, nullptr);
}

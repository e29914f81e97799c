#include "tests/support/GameSession.h"

#include "app/MainMenuBarMac.h"
#include "app/WindowMenuItem.h"
#include "platform/controls/MenuItem.h"
#include "tests/support/MenuInput.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// The most hints a puzzle offers.
constexpr int kMostHints = 7;
// The play table's centre, and the grid that the figure's outline keeps to.
constexpr int kTableCentreX = 400;
constexpr int kTableCentreY = 325;
constexpr int kGrid = 10;

// Bar order, menu by menu: "name|caption|shortcut" per item, and a bare name
// for a separator.
const std::pair<QString, QStringList> kExpected[] = {
    {"GameMenu",
     {"GameNewPuzzle|New Puzzle|Cmd+N", "GameOpenPuzzleNumber|Open Puzzle Number\u2026|Cmd+O", "UntitledSeparator6",
      "GameGetHint|Get Hint|", "UntitledSeparator4", "GameStatistics|Statistics|",
      "GameDetailedStatistics|Detailed Statistics|", "UntitledSeparator7", "GameMakeGameHarder|Make Game Harder|",
      "UntitledSeparator", "GameCloseWindow|Close Window|Cmd+W", "GameQuit|Quit|Cmd+Q"}},
    {"OnlineMenu",
     {"OnlineVisitKolmiracom|Visit Kolmira.example.com|", "OnlineCheckforUpdate\u2026|Check for Update\u2026|",
      "UntitledSeparator3", "OnlineGetUpgradeNotices\u2026|Get Upgrade Notices\u2026|",
      "OnlineTellFriendsaboutKolmira\u2026|Tell Friends about Kolmira\u2026|"}},
    {"WindowMenu", {"WindowMinimize|Minimize|Cmd+M", "UntitledMenu1", "WindowBringAlltoFront|Bring All to Front|",
                    "UntitledSeparator5"}},
    {"HelpMenu",
     {"HelpKolmiraHelp|Kolmira Help|Cmd+?", "UntitledSeparator0",
      "HelpContactPelkavineSupport|Contact Pelkavine Support\u2026|", "UntitledSeparator1", "HelpLicense|License|",
      "UntitledSeparator2", "HelpAboutKolmira|About Kolmira|"}},
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
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu.QtMenu()));
        return *menu.QtMenu();
    }
};

TEST_F(Menus, TheBarHoldsEveryMenuAndItemInOrderAndShowsSeparatorsAsLines)
{
    StartShown();
    auto bar = MainMenuBarMac::Instance();
    ASSERT_EQ(bar->Count(), 4);
    for (int m = 0; m < bar->Count(); ++m) {
        const auto& [menuName, rows] = kExpected[m];
        const auto menu = bar->Item(m);
        EXPECT_EQ(menu->Name(), menuName);
        // The Window menu ends with the play window's own entry.
        ASSERT_EQ(menu->Count(), rows.size() + (menuName == "WindowMenu" ? 1 : 0)) << menuName.toStdString();
        const auto shown = Open(*menu).actions();
        ASSERT_GE(shown.size(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            // A separator is captioned "-" with no shortcut, and on screen a line with no caption.
            const bool line = !rows[i].contains('|');
            const QStringList f = (line ? rows[i] + "|-|" : rows[i]).split('|');
            const auto item = menu->Item(i);
            EXPECT_EQ(std::tuple(item->Name(), item->Text(), item->KeyboardShortcut(), item->HasShortcutSet()),
                      std::tuple(f[0], f[1], f[2], !line));
            EXPECT_EQ(std::pair(shown[i]->isSeparator(), shown[i]->text().isEmpty()), std::pair(line, line));
        }
        WindowInput::Key(*menu->QtMenu(), Qt::Key_Escape); // that it closes is checked on a real display
    }
    EXPECT_NE(dynamic_cast<platform::QuitMenuItem*>(&Item("GameMenu", "GameQuit")), nullptr);
    EXPECT_NE(dynamic_cast<platform::AppleMenuItem*>(&Item("HelpMenu", "HelpAboutKolmira")), nullptr);
}

TEST_F(Menus, EnablingFollowsTheGameStateAndCommandsActOnThePlayWindowAndOpenTheSitesPages)
{
    StartShown();
    auto bar = MainMenuBarMac::Instance();
    auto& minimize = Item("WindowMenu", "WindowMinimize");
    // Hint, statistics, help, the two window commands enabled; harder checked.
    const auto states = [&] {
        return std::tuple(Item("GameMenu", "GameGetHint").Enabled(), Item("GameMenu", "GameStatistics").Enabled(),
                          Item("HelpMenu", "HelpKolmiraHelp").Enabled(), minimize.Enabled(),
                          Item("WindowMenu", "WindowBringAlltoFront").Enabled(),
                          Item("GameMenu", "GameMakeGameHarder").Checked());
    };
    using P = PlayWindow;
    // Page, hints, won, harder, and whether hint, statistics and help are enabled.
    const std::tuple<int, int, bool, bool, bool, bool, bool> kSteps[] = {
        {P::kHelpPage, 0, false, false, true, true, false},
        {P::kStatsPage, kMostHints, false, false, false, false, true},
        {P::kPlayPage, kMostHints - 1, true, false, false, true, true},
        {P::kPlayPage, kMostHints - 1, false, true, true, true, true}};
    for (const auto& [page, hints, won, harder, hintOn, statsOn, helpOn] : kSteps) {
        Window().SetSidebarTab(page);
        Puzzle().mHintCount = hints;
        Puzzle().mIsWon = won;
        gPrefMakeGameHarder = harder;
        bar->EnableMenuItems(&Window());
        EXPECT_EQ(states(), std::tuple(hintOn, statsOn, helpOn, true, true, harder)) << page << " " << hints;
    }
    // Minimized, nothing of the window is enabled, and the check mark stays.
    bar->Choose(minimize, &Window());
    EXPECT_TRUE(Window().mMinimized);
    gPrefMakeGameHarder = false;
    bar->EnableMenuItems(&Window());
    EXPECT_EQ(states(), std::tuple(false, false, false, false, false, true));
    Window().Show();
    EXPECT_FALSE(Window().mMinimized);
    Puzzle().mHintCount = 0;

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

    Window().LoadPuzzleNumber(30);

    // The Window-menu entry shows its window and follows its activation;
    // choosing it while the window is active keeps its check mark.
    auto& windowMenu = *bar->Child("WindowMenu");
    auto entry = windowMenu.Item(4);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    for (int pick = 0; pick < 2; ++pick) {
        QMenu& shown = Open(windowMenu);
        WindowInput::Click(shown, shown.actionGeometry(entry->QtAction()).center());
        EXPECT_TRUE(Window().isActiveWindow());
        EXPECT_TRUE(entry->Checked() && entry->QtAction()->isChecked());
    }
    Window().Event_Deactivate();
    EXPECT_FALSE(entry->Checked());
    Window().Event_Activate();
    EXPECT_TRUE(entry->Checked());
    Window().Minimize();
    EXPECT_FALSE(entry->Checked());
    bar->Choose(*entry, &Window());
    EXPECT_FALSE(Window().IsMinimized());

    // Toggled twice from the menu: stored each time, and the figure's outline
    // leaves the table at once and comes back. It is centred on the table,
    // its corner on the 10-pixel grid.
    const QImage outlined = Table().Surface();
    const QSize outline = Puzzle().mBoardSilhouette->Image().size();
    const QPoint corner((kTableCentreX - outline.width() / 2) / kGrid * kGrid,
                        (kTableCentreY - outline.height() / 2) / kGrid * kGrid);
    for (const bool harder : {true, false}) {
        ASSERT_TRUE(MenuInput::Choose(Window(), "GameMenu", "GameMakeGameHarder"));
        EXPECT_EQ(std::pair(gPrefMakeGameHarder, gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue()),
                  std::pair(harder, harder));
        const QImage shown = Table().Surface();
        QRect changed;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                changed |= shown.pixel(x, y) != outlined.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
            }
        }
        EXPECT_EQ(changed.isEmpty(), !harder);
        EXPECT_TRUE(!harder || QRect(corner, outline).contains(changed)) << changed.x() << "," << changed.y();
    }

    choose("GameMenu", "GameQuit");
    EXPECT_EQ(mQuits, 1);
    // Closing the play window saves its game, takes its entry (still titled
    // as the window was when made) off the Window menu, and quits.
    EXPECT_EQ(entry->Text(), QString("Kolmira"));
    choose("GameMenu", "GameCloseWindow");
    EXPECT_EQ(gPlayWindow, nullptr);
    EXPECT_EQ(std::tuple(windowMenu.Count(), static_cast<WindowMenuItem*>(entry.get())->mWindow, mQuits),
              std::tuple(4, nullptr, 2));
    EXPECT_EQ(Count("SavedPuzzle", "Number = 30"), 1);
}

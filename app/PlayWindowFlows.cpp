#include "app/PlayWindow.h"

#include "app/Dialogs.h"
#include "app/Globals.h"
#include "app/MainMenuBarMac.h"
#include "app/WindowMenuItem.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "model/StatsClass.h"
#include "platform/controls/Canvas.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PagePanel.h"
#include "table/NewPuzzleBlinkTimerClass.h"
#include "table/PuzzleCardClass.h"
#include "table/TableClass.h"

#include <functional>

namespace {

const QString kWindowMenu = QStringLiteral("WindowMenu");
const QString kGameMenu = QStringLiteral("GameMenu");
const QString kHelpMenu = QStringLiteral("HelpMenu");

platform::MenuItem& BarItem(const QString& menu, const QString& item)
{
    return MainMenuBarMac::Instance()->Item(menu, item);
}

platform::MenuItem* FindInTree(const platform::MenuItem& parent, const QString& name)
{
    for (int i = 0; i < parent.Count(); ++i) {
        platform::MenuItem* child = parent.Item(i).get();
        if (child->Name() == name) {
            return child;
        }
        if (platform::MenuItem* found = FindInTree(*child, name)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

platform::MenuItem* PlayWindow::MenuItemNamed(const QString& name) const
{
    return MenuBar() ? FindInTree(*MenuBar(), name) : nullptr;
}

void PlayWindow::AddMenuHandlers()
{
    AddMenuHandler(QStringLiteral("WindowMinimize"), [this] { return WindowMinimize_Action(); });
    AddMenuHandler(QStringLiteral("GameNewPuzzle"), [this] { return GameNewPuzzle_Action(); });
    AddMenuHandler(QStringLiteral("GameCloseWindow"), [this] { return GameCloseWindow_Action(); });
    AddMenuHandler(QStringLiteral("GameGetHint"), [this] { return GameGetHint_Action(); });
    AddMenuHandler(QStringLiteral("GameOpenPuzzleNumber"), [this] { return GameOpenPuzzleNumber_Action(); });
    AddMenuHandler(QStringLiteral("GameStatistics"), [this] { return GameStatistics_Action(); });
    AddMenuHandler(QStringLiteral("HelpKolmiraHelp"), [this] { return HelpKolmiraHelp_Action(); });
    AddMenuHandler(QStringLiteral("GameMakeGameHarder"), [this] { return GameMakeGameHarder_Action(); });
}

void PlayWindow::Event_Activate()
{
    if (mWindowMenuItem) {
        mWindowMenuItem->SetChecked(true);
    }
}

void PlayWindow::Event_Deactivate()
{
    if (mWindowMenuItem) {
        mWindowMenuItem->SetChecked(false);
    }
}

void PlayWindow::Event_Minimize()
{
    if (mWindowMenuItem) {
        mWindowMenuItem->SetChecked(false);
    }
    mMinimized = true;
}

void PlayWindow::Event_Restore()
{
    mMinimized = false;
}

void PlayWindow::Event_Close()
{
    if (mWindowMenuItem) {
        mWindowMenuItem->RemoveFromMenu();
    }
    mWindowMenuItem.reset();
    mNewPuzzleBlinkTimer.reset();
    if (gPlayWindow == this) {
        gPlayWindow = nullptr;
    }
}

void PlayWindow::Event_Open()
{
    SetSidebarStats();
    SetPlaySidebar();
    mMinimized = false;
}

void PlayWindow::Event_EnableMenuItems()
{
    // Minimized, the window enables nothing, so its manual items stay off.
    if (mMinimized) {
        return;
    }
    const PuzzleClass& puzzle = platform::Deref(gPuzzle);
    const int page = PanelNamed(QStringLiteral("SidebarPagePanel")).Value();
    BarItem(kWindowMenu, QStringLiteral("WindowMinimize")).SetEnabled(true);
    BarItem(kGameMenu, QStringLiteral("GameGetHint"))
        .SetEnabled(!(puzzle.mIsWon || puzzle.mHintCount == kMaxHints));
    BarItem(kHelpMenu, QStringLiteral("HelpKolmiraHelp")).SetEnabled(page != kHelpPage);
    BarItem(kGameMenu, QStringLiteral("GameStatistics")).SetEnabled(page != kStatsPage);
    BarItem(kGameMenu, QStringLiteral("GameMakeGameHarder")).SetChecked(gPrefMakeGameHarder);
}

bool PlayWindow::WindowMinimize_Action()
{
    Minimize();
    mMinimized = true;
    if (mWindowMenuItem) {
        mWindowMenuItem->SetChecked(false);
    }
    return false;
}

bool PlayWindow::GameNewPuzzle_Action()
{
    NewPuzzle();
    return false;
}

bool PlayWindow::GameCloseWindow_Action()
{
    close();
    return false;
}

bool PlayWindow::GameGetHint_Action()
{
    GetHint();
    return false;
}

bool PlayWindow::GameOpenPuzzleNumber_Action()
{
    ShowOpenPuzzleSheet();
    return false;
}

bool PlayWindow::GameStatistics_Action()
{
    SetSidebarTab(kStatsPage);
    return false;
}

bool PlayWindow::HelpKolmiraHelp_Action()
{
    SetSidebarTab(kHelpPage);
    return false;
}

bool PlayWindow::GameMakeGameHarder_Action()
{
    gPrefMakeGameHarder = !gPrefMakeGameHarder;
    platform::Deref(gPrefsDatabase).SetPref(QStringLiteral("MakeGameHarder"), platform::Variant(gPrefMakeGameHarder));
    platform::Deref(gTable).DrawAfterChange();
    return false;
}

void PlayWindow::ShowTitle()
{
    SetTitle(QStringLiteral("Kolmira - Puzzle #") + QString::number(platform::Deref(gPuzzle).mPuzzleNumber));
}

void PlayWindow::ReloadTableAfterPuzzleChange()
{
    ShowTitle();
    platform::Deref(ControlAs<PuzzleCardClass>(QStringLiteral("PuzzleCard"))).DrawPuzzleToCard();
    TableClass& table = platform::Deref(gTable);
    table.ScatterPieces();
    table.DrawAfterChange();
}

void PlayWindow::LoadRandomPuzzle()
{
    platform::Deref(gTable).ForgetPuzzle();
    if (!platform::Deref(gPuzzle).LoadRandomUnsolved()) {
        // Nothing is left to play (another copy of the game, or another
        // program, may have recorded the last puzzles meanwhile): the game is
        // over, and the puzzle on the table goes with it, won or not. The
        // window becomes the one that a start with every puzzle solved
        // shows, and no game in progress is left to keep.
        gPuzzle = std::make_shared<PuzzleClass>();
        ShowNewStatistics();
    }
    ReloadTableAfterPuzzleChange();
}

void PlayWindow::LoadPuzzleNumber(std::int32_t n)
{
    if (n < kFirstPuzzle || n > kLastPuzzle) {
        return;
    }
    platform::Deref(gTable).ForgetPuzzle();
    platform::Deref(gPuzzle).LoadFromDatabase(n);
    ReloadTableAfterPuzzleChange();
}

void PlayWindow::SetSidebarStats()
{
    const StatsClass& stats = platform::Deref(gStats);
    mStatsSolved = stats.mNumSolved;
    mStatsHints0 = stats.mNum0Hints;
    mStatsHints1 = stats.mNum1Hints;
    mStatsHints2 = stats.mNum2Hints;
    mStatsHints3 = stats.mNum3Hints;
    mStatsHints4 = stats.mNum4Hints;
    mStatsHints5 = stats.mNum5Hints;
    mStatsHints6 = stats.mNum6Hints;
    mStatsHints7 = stats.mNum7Hints;
    mStatsUnsolved = stats.mNumTotal - stats.mNumSolved;
}

void PlayWindow::ShowNewStatistics()
{
    platform::Deref(gStats).LoadStats();
    SetPlaySidebar();
    SetSidebarTab(kPlayPage);
    SetSidebarStats();
}

void PlayWindow::SetPlaySidebar()
{
    PanelNamed(QStringLiteral("PlayTabPagePanel"))
        .SetValue(platform::Deref(gStats).IsGameOver(platform::Deref(gPuzzle)) ? kEndPage : kPlayButtonsPage);
}

void PlayWindow::GetHint()
{
    PuzzleClass& puzzle = platform::Deref(gPuzzle);
    if (puzzle.mIsWon) {
        return;
    }
    puzzle.mHintCount += 1;
    platform::Deref(ControlAs<PuzzleCardClass>(QStringLiteral("PuzzleCard"))).DrawPuzzleToCard();
}

void PlayWindow::NewPuzzle()
{
    mNewPuzzleBlinkTimer.reset();
    CanvasNamed(QStringLiteral("NewPuzzleButtonCanvas")).Refresh();
    LoadRandomPuzzle();
}

void PlayWindow::SetSidebarTab(std::int32_t page)
{
    PanelNamed(QStringLiteral("SidebarPagePanel")).SetValue(page);
}

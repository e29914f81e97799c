#include "tests/support/GameSession.h"

#include "app/MainMenuBarMac.h"
#include "app/WindowMenuItem.h"

#include <QTest>

namespace {

const QString kTitlePrefix = QStringLiteral("Kolmira - Puzzle #");

} // namespace

using StartUp = GameSession;

TEST_F(StartUp, FirstRunOpensPuzzleTwoOnTheHelpPageAndRemembersIt)
{
    StartGame();
    EXPECT_TRUE(gFirstRun);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(Window().Title(), kTitlePrefix + "2");
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kPlayButtonsPage);
    EXPECT_EQ(gPrefsDatabase->GetPref("RanOnce").StringValue(), QString("Yes"));
    EXPECT_FALSE(gPrefMakeGameHarder);
    EXPECT_TRUE(mApp->AutoQuit());
    EXPECT_TRUE(mDialogs.isEmpty());
    // The Stats page's copies of a fresh store.
    EXPECT_EQ(Window().mStatsSolved, 0);
    EXPECT_EQ(Window().mStatsUnsolved, 30);
}

TEST_F(StartUp, LaterStartOpensARandomUnsolvedPuzzleOnThePlayPage)
{
    StartGame();
    // Puzzle 2 was on the table when the first game closed: it is resumed.
    StopGame();
    StartGame();
    EXPECT_FALSE(gFirstRun);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SavedPuzzle"), 0);

    // Without a saved game: a random puzzle, never a solved one.
    Execute("DELETE FROM SolvedPuzzles");
    for (int n = 1; n <= 30; ++n) {
        if (n != 17) {
            Execute(QString("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 0)").arg(n));
        }
    }
    gPlayWindow->close();
    Execute("DELETE FROM SavedPuzzle");
    FlushDeletes();
    mApp.reset();
    StartGame();
    EXPECT_EQ(Puzzle().mPuzzleNumber, 17);
    EXPECT_EQ(Window().Title(), kTitlePrefix + "17");
    EXPECT_EQ(Window().mStatsUnsolved, 1);
}

TEST_F(StartUp, MakeGameHarderIsReadFromTheStore)
{
    StartGame();
    gPrefsDatabase->SetPref("MakeGameHarder", platform::Variant(true));
    StopGame();
    StartGame();
    EXPECT_TRUE(gPrefMakeGameHarder);
}

TEST_F(StartUp, OldSystemAndSmallScreenAreReportedAndStartUpGoesOn)
{
    std::int32_t version = 0x1030;
    platform::Hooks().gestalt = [&](const QString& selector, std::int32_t& answer) {
        answer = version;
        return selector == QStringLiteral("sysv");
    };
    StartGame();
    EXPECT_TRUE(mDialogs.isEmpty());
    EXPECT_EQ(mQuits, 0);
    StopGame();

    mQuits = 0;
    version = 0x102F;
    mScreen = {1023, 768, 24};
    StartGame();
    EXPECT_EQ(mDialogs, (QStringList{"Newer Mac OS X version required.", "Your screen may be too small."}));
    EXPECT_EQ(mQuits, 1);
    EXPECT_EQ(gBitDepth, 24);
    // Start-up carried on regardless.
    EXPECT_NE(gPlayWindow, nullptr);
    StopGame();

    for (const platform::ScreenInfo screen : {platform::ScreenInfo{1024, 767, 32}, platform::ScreenInfo{1024, 768, 32}}) {
        mDialogs.clear();
        version = 0x1040;
        mScreen = screen;
        StartGame();
        EXPECT_EQ(mDialogs.size(), screen.Height < 768 ? 1 : 0);
        StopGame();
    }
}

TEST_F(StartUp, ClosingThePlayWindowSavesTheGameLeavesTheWindowMenuAndQuits)
{
    StartGame();
    auto& windowMenu = *MainMenuBarMac::Instance()->Child("WindowMenu");
    ASSERT_EQ(windowMenu.Count(), 5);
    auto entry = windowMenu.Item(4);
    // The entry keeps the title the window had when it was made.
    EXPECT_EQ(entry->Text(), QString("Kolmira"));
    Window().close();
    EXPECT_EQ(gPlayWindow, nullptr);
    EXPECT_EQ(windowMenu.Count(), 4);
    EXPECT_EQ(static_cast<WindowMenuItem*>(entry.get())->mWindow, nullptr);
    EXPECT_EQ(mQuits, 1);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SavedPuzzle WHERE Number = 2"), 1);
}

#include "tests/support/GameSession.h"

#include "app/MainMenuBarMac.h"
#include "app/WindowMenuItem.h"

using StartUp = GameSession;

TEST_F(StartUp, FirstRunOpensPuzzleTwoOnTheHelpPageAndRemembersIt)
{
    StartGame();
    EXPECT_TRUE(gFirstRun);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(Window().Title(), TitleFor(2));
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kPlayButtonsPage);
    EXPECT_EQ(gPrefsDatabase->GetPref("RanOnce").StringValue(), QString("Yes"));
    EXPECT_FALSE(gPrefMakeGameHarder);
    EXPECT_TRUE(mApp->AutoQuit());
    EXPECT_TRUE(mDialogs.isEmpty());
    EXPECT_TRUE(mMessages.isEmpty());
    // The Stats page's copies of a fresh store.
    EXPECT_EQ(Window().mStatsSolved, 0);
    EXPECT_EQ(Window().mStatsUnsolved, 30);
}

TEST_F(StartUp, LaterStartResumesTheSavedGameOrOpensARandomUnsolvedPuzzleOnThePlayPage)
{
    StartGame();
    gPrefsDatabase->SetPref("MakeGameHarder", platform::Variant(true));
    // Puzzle 2 was on the table when the first game closed: it is resumed.
    StopGame();
    StartGame();
    EXPECT_FALSE(gFirstRun);
    EXPECT_TRUE(gPrefMakeGameHarder);
    EXPECT_EQ(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(Count("SavedPuzzle"), 0);

    // Without a saved game: a random puzzle, never a solved one.
    SolveAllBut(17);
    gPlayWindow->close();
    Execute("DELETE FROM SavedPuzzle");
    StopGame();
    StartGame();
    EXPECT_EQ(Puzzle().mPuzzleNumber, 17);
    EXPECT_EQ(Window().Title(), TitleFor(17));
    EXPECT_EQ(Window().mStatsUnsolved, 1);
}

TEST_F(StartUp, OldSystemAndSmallScreenAreReportedAndStartUpGoesOn)
{
    std::int32_t version = 0;
    platform::Hooks().gestalt = [&](const QString& selector, std::int32_t& answer) {
        answer = version;
        return selector == QStringLiteral("sysv");
    };
    const QString old = "Newer Mac OS X version required.";
    const QString small = "Your screen may be too small.";
    struct Case {
        std::int32_t version;
        platform::ScreenInfo screen;
        QStringList dialogs;
        int quits;
    };
    for (const Case& c : {Case{0x1030, {1280, 1024, 32}, {}, 0}, Case{0x102F, {1023, 768, 24}, {old, small}, 1},
                          Case{0x1040, {1024, 767, 32}, {small}, 0}, Case{0x1040, {1024, 768, 32}, {}, 0}}) {
        mDialogs.clear();
        mQuits = 0;
        version = c.version;
        mScreen = c.screen;
        StartGame();
        EXPECT_EQ(mDialogs, c.dialogs) << std::hex << c.version;
        EXPECT_EQ(mQuits, c.quits);
        EXPECT_EQ(gBitDepth, c.screen.Depth);
        EXPECT_NE(gPlayWindow, nullptr); // start-up carries on regardless
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
    EXPECT_EQ(Count("SavedPuzzle", "Number = 2"), 1);
}

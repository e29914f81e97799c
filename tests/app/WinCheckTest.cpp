#include "tests/support/GameSession.h"

#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"
#include "table/NewPuzzleBlinkTimerClass.h"
#include "table/WinNoteTimerClass.h"

#include <QTest>

class WinCheck : public GameSession {
protected:
    void SetUp() override
    {
        GameSession::SetUp();
        StartGame();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
    }
    // The player's grid as if the pieces had just been laid out as the figure.
    void MatchFigure()
    {
        Table().mSolutionGrid = Puzzle().mSolutionGrid;
        Table().CheckForWin();
    }
    void SolveAllBut(int unsolved)
    {
        for (int n = 1; n <= 30; ++n) {
            if (n != unsolved) {
                Execute(QString("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 0)").arg(n));
            }
        }
        Stats().LoadStats();
    }
};

TEST_F(WinCheck, NoGridOrAnotherFigureChangesNothing)
{
    Table().CheckForWin();
    Table().mSolutionGrid = std::make_shared<SolutionGridClass>();
    Table().mSolutionGrid->SetGridSize(1, 1);
    Table().CheckForWin();
    EXPECT_FALSE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SolvedPuzzles"), 0);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_FALSE(Table().mDrawWinNote);
}

TEST_F(WinCheck, AWinIsRecordedOnceWithNoteAndBlink)
{
    Window().SetSidebarTab(PlayWindow::kStatsPage);
    Puzzle().mHintCount = 3;
    MatchFigure();
    EXPECT_TRUE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SolvedPuzzles WHERE Number = 2 AND NumHintsUsed = 3"), 1);
    EXPECT_EQ(Stats().mNumSolved, 1);
    EXPECT_EQ(Window().mStatsSolved, 1);
    EXPECT_EQ(Window().mStatsHints3, 1);
    EXPECT_EQ(Window().mStatsUnsolved, 29);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kPlayButtonsPage);
    EXPECT_TRUE(Table().mDrawWinNote);
    // A won puzzle takes no more presses, so no second record can follow.
    QTest::mouseClick(&Table(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SolvedPuzzles"), 1);

    auto note = Table().mWinNoteTimer;
    ASSERT_TRUE(note);
    EXPECT_EQ(note->Mode(), platform::Timer::kModeSingle);
    EXPECT_EQ(note->Period(), 3000);
    EXPECT_TRUE(note->IsRunning());
    auto blink = Window().mNewPuzzleBlinkTimer;
    ASSERT_TRUE(blink);
    EXPECT_EQ(blink->Mode(), platform::Timer::kModeMultiple);
    EXPECT_EQ(blink->Period(), 800);

    // Highlighted first, then normal, and so on.
    auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    blink->Fire();
    EXPECT_TRUE(ShowsPicture(button, newpuzzlehilite()));
    blink->Fire();
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
    blink->Fire();
    EXPECT_TRUE(blink->mIsHilited);

    note->Fire();
    EXPECT_FALSE(Table().mDrawWinNote);
    EXPECT_FALSE(note->IsRunning());

    // Game > New Puzzle ends the blinking.
    Window()._GameNewPuzzle_Action();
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_FALSE(blink.use_count() > 1);
}

TEST_F(WinCheck, ASecondWinReplacesTheBlinkAndNumberLoadsKeepIt)
{
    MatchFigure();
    auto first = Window().mNewPuzzleBlinkTimer;
    first->Fire();
    Window().LoadPuzzleNumber(5);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, first);
    EXPECT_FALSE(Table().mDrawWinNote);
    MatchFigure();
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
    EXPECT_NE(Window().mNewPuzzleBlinkTimer, first);
    EXPECT_FALSE(Window().mNewPuzzleBlinkTimer->mIsHilited);
    EXPECT_EQ(Stats().mNumSolved, 2);
}

TEST_F(WinCheck, TheLastPuzzleShowsTheEndPageWithoutNoteOrBlink)
{
    SolveAllBut(Puzzle().mPuzzleNumber);
    MatchFigure();
    EXPECT_EQ(Stats().mNumSolved, 30);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kEndPage);
    EXPECT_FALSE(Table().mDrawWinNote);
    EXPECT_EQ(Table().mWinNoteTimer, nullptr);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_EQ(Window().mStatsUnsolved, 0);

    // New Puzzle from the menu has nothing to load: the puzzle stays.
    const int number = Puzzle().mPuzzleNumber;
    Window()._GameNewPuzzle_Action();
    EXPECT_EQ(Puzzle().mPuzzleNumber, number);
}

TEST_F(WinCheck, TheWinNoteTimerRunsOnTheEventLoop)
{
    MatchFigure();
    // Shortened so the test need not wait three seconds; the action is the
    // one the event loop runs.
    Table().mWinNoteTimer->SetPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Table().mDrawWinNote; }));
}

#include "tests/support/MousePlayer.h"

#include "resources/PictureCatalogue.h"
#include "table/WinNoteTimerClass.h"

// Plays the real game with the mouse: each table piece is clicked round to
// the puzzle's orientation and dragged to the puzzle's place relative to a
// corner chosen on the table, until the figure stands complete.
class SolvePuzzle : public MousePlayer {
protected:
    void SetUp() override
    {
        MousePlayer::SetUp();
        StartGame();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
    }
};

TEST_F(SolvePuzzle, SolvingWithTheMouseRecordsTheWinAndShowsTheNotes)
{
    // The first run's puzzle 2, after one hint.
    ASSERT_EQ(Puzzle().mPuzzleNumber, 2);
    QTest::mouseClick(&CanvasNamed("GetHintButtonCanvas"), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_EQ(Puzzle().mHintCount, 1);
    Window().SetSidebarTab(PlayWindow::kStatsPage);

    SolveWithTheMouse();

    EXPECT_TRUE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SolvedPuzzles WHERE Number = 2 AND NumHintsUsed = 1"), 1);
    EXPECT_EQ(Stats().mNumSolved, 1);
    EXPECT_EQ(Stats().mNum1Hints, 1);
    EXPECT_EQ(Window().mStatsSolved, 1);
    EXPECT_EQ(Window().mStatsHints1, 1);
    EXPECT_EQ(Window().mStatsUnsolved, 29);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(Window().Title(), QString("Kolmira - Puzzle #2"));
    EXPECT_TRUE(TableShowsNote(winnote()));
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);

    platform::Deref(Table().mWinNoteTimer).Fire();
    EXPECT_FALSE(TableShowsNote(winnote()));

    // A won game is not saved; the next puzzle comes with the button.
    QTest::mouseClick(&CanvasNamed("NewPuzzleButtonCanvas"), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_NE(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
}

TEST_F(SolvePuzzle, SolvingTheLastPuzzleShowsTheEndPageAndTheCompletionNote)
{
    for (int n = 1; n <= 30; ++n) {
        if (n != 2) {
            Execute(QString("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 0)").arg(n));
        }
    }
    Stats().LoadStats();

    SolveWithTheMouse();

    EXPECT_EQ(Stats().mNumSolved, 30);
    EXPECT_EQ(Window().mStatsUnsolved, 0);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kEndPage);
    EXPECT_TRUE(CanvasNamed("QuitButtonCanvas").isVisible());
    EXPECT_TRUE(TableShowsNote(completenote()));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_EQ(Table().mWinNoteTimer, nullptr);

    // Closing now leaves no game to resume.
    Window().close();
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SavedPuzzle"), 0);
}

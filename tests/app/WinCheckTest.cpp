#include "tests/support/GameSession.h"

#include "model/SolutionGridClass.h"

class WinCheck : public Shown<GameSession> {
protected:
    // The player's grid as if the pieces had just been laid out as the figure.
    void MatchFigure()
    {
        Table().mSolutionGrid = Puzzle().mSolutionGrid;
        Table().CheckForWin();
    }
};

TEST_F(WinCheck, NoGridOrAnotherFigureChangesNothing)
{
    Table().CheckForWin();
    Table().mSolutionGrid = std::make_shared<SolutionGridClass>();
    Table().mSolutionGrid->SetGridSize(1, 1);
    Table().CheckForWin();
    EXPECT_FALSE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SolvedPuzzles"), 0);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_FALSE(Table().mDrawWinNote);
}

TEST_F(WinCheck, AWinIsRecordedOnceWithNoteAndBlink)
{
    Puzzle().mHintCount = 3;
    MatchFigure();
    EXPECT_TRUE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SolvedPuzzles", "Number = 2 AND NumHintsUsed = 3"), 1);
    EXPECT_TRUE(Table().mDrawWinNote);
    // A won puzzle takes no more presses, so no second record can follow.
    WindowInput::Click(Table(), QPoint(400, 300));
    EXPECT_EQ(Count("SolvedPuzzles"), 1);

    auto note = Table().mWinNoteTimer;
    ASSERT_TRUE(note);
    EXPECT_EQ(note->Mode(), platform::Timer::kModeSingle);
    EXPECT_EQ(note->Period(), 3000);
    EXPECT_TRUE(note->IsRunning());
    auto blink = Window().mNewPuzzleBlinkTimer;
    ASSERT_TRUE(blink);
    EXPECT_EQ(blink->Mode(), platform::Timer::kModeMultiple);
    EXPECT_EQ(blink->Period(), 800);
    // The blink alternates the New Puzzle button's two pictures.
    const auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    for (const bool hilited : {true, false, true}) {
        blink->Fire();
        EXPECT_TRUE(ShowsPicture(button, hilited ? newpuzzlehilite() : newpuzzle()));
    }
    note->Fire();
    EXPECT_FALSE(Table().mDrawWinNote);
    EXPECT_FALSE(note->IsRunning());

    // Loading by number keeps the blink; a second win replaces it.
    Window().LoadPuzzleNumber(5);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, blink);
    MatchFigure();
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
    EXPECT_NE(Window().mNewPuzzleBlinkTimer, blink);
    EXPECT_FALSE(Window().mNewPuzzleBlinkTimer->mIsHilited);
    EXPECT_EQ(Stats().mNumSolved, 2);
    // Game > New Puzzle ends the blinking and takes the note away.
    EXPECT_TRUE(Table().mDrawWinNote);
    const std::weak_ptr<NewPuzzleBlinkTimerClass> second = Window().mNewPuzzleBlinkTimer;
    Window().GameNewPuzzle_Action();
    EXPECT_TRUE(second.expired()); // released: it fires no more
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
    EXPECT_FALSE(Table().mDrawWinNote);
}

TEST_F(WinCheck, TheWinNoteTimerRunsOnTheEventLoop)
{
    MatchFigure();
    // Shortened so the test need not wait three seconds; the action is the
    // one the event loop runs.
    Table().mWinNoteTimer->SetPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Table().mDrawWinNote; }));
}

#include "tests/support/GameSession.h"

class WinCheck : public Shown<GameSession> {
protected:
    // The player's grid as if the pieces had just been laid out as the figure.
    void MatchFigure()
    {
        Table().mSolutionGrid = Puzzle().mSolutionGrid;
        Table().CheckForWin();
    }
};

// Refused presses on a won puzzle are the table's tests; the record, note
// and blink of every built-in puzzle's win are the all-puzzles run's.
TEST_F(WinCheck, AWinIsRecordedOnceWithNoteAndBlink)
{
    // No grid yet: nothing changes. (Another figure winning would stop the
    // all-puzzles run at its first release.)
    Table().CheckForWin();
    EXPECT_EQ(std::tuple(Puzzle().mIsWon, Count("SolvedPuzzles"), Table().mDrawWinNote), std::tuple(false, 0, false));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);

    Puzzle().mHintCount = 3;
    MatchFigure();
    EXPECT_EQ(std::tuple(Puzzle().mIsWon, Count("SolvedPuzzles", "Number = 2 AND NumHintsUsed = 3")),
              std::tuple(true, 1));
    auto note = Table().mWinNoteTimer;
    auto blink = Window().mNewPuzzleBlinkTimer;
    ASSERT_TRUE(note && blink);
    // The note shows once for three seconds, the button blinks every 0.8 s.
    using platform::Timer;
    EXPECT_EQ(std::tuple(note->Mode(), note->Period(), blink->Mode(), blink->Period()),
              std::tuple(Timer::kModeSingle, 3000, Timer::kModeMultiple, 800));
    // The blink alternates the New Puzzle button's two pictures.
    const auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    for (const bool hilited : {true, false, true}) {
        blink->Fire();
        EXPECT_TRUE(ShowsPicture(button, hilited ? newpuzzlehilite() : newpuzzle()));
    }
    // The note goes when the event loop runs its timer (shortened here).
    note->SetPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Table().mDrawWinNote; }));
    EXPECT_FALSE(note->IsRunning());

    // Loading by number keeps the blink; a second win replaces it.
    Window().LoadPuzzleNumber(5);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, blink);
    MatchFigure();
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
    EXPECT_NE(Window().mNewPuzzleBlinkTimer, blink);
    EXPECT_FALSE(Window().mNewPuzzleBlinkTimer->mIsHilited);
    // Game > New Puzzle ends the blinking and takes the note away.
    EXPECT_TRUE(Table().mDrawWinNote);
    const std::weak_ptr<NewPuzzleBlinkTimerClass> second = Window().mNewPuzzleBlinkTimer;
    Window().GameNewPuzzle_Action();
    EXPECT_TRUE(second.expired()); // released: it fires no more
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
    EXPECT_FALSE(Table().mDrawWinNote);
}

#include "tests/support/GameSession.h"

#include <QElapsedTimer>

class WinCheck : public Shown<GameSession> {
protected:
    // The player's grid as if the pieces had just been laid out as the figure.
    void MatchFigure()
    {
        Table().mSolutionGrid = Puzzle().mSolutionGrid;
        Table().CheckForWin();
    }
    bool WinNoteShown() const
    {
        const auto note = winnote();
        return ShowsPicture(Table(), note, {(Table().Width() - note->Width()) / 2, TableClass::kNoteTop});
    }
};

// Refused presses on a won puzzle are the table's tests; the record, note
// and blink of every built-in puzzle's win are the all-puzzles run's.
TEST_F(WinCheck, AWinIsRecordedOnceWithNoteAndBlink)
{
    // No grid yet: nothing changes. (Another figure winning would stop the
    // all-puzzles run at its first release.)
    Table().CheckForWin();
    EXPECT_EQ(std::tuple(Puzzle().mIsWon, Count("SolvedPuzzles"), WinNoteShown()), std::tuple(false, 0, false));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);

    Puzzle().mHintCount = 3;
    QElapsedTimer shownFor;
    shownFor.start();
    MatchFigure();
    EXPECT_EQ(std::tuple(Puzzle().mIsWon, Count("SolvedPuzzles", "Number = 2 AND NumHintsUsed = 3")),
              std::tuple(true, 1));
    auto blink = Window().mNewPuzzleBlinkTimer;
    ASSERT_TRUE(blink);
    // The blink alternates the New Puzzle button's two pictures.
    const auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    for (const bool hilited : {true, false, true}) {
        blink->Fire();
        EXPECT_TRUE(ShowsPicture(button, hilited ? newpuzzlehilite() : newpuzzle()));
    }
    // The note is on the table at once and stays there for three seconds
    // (less at most the event loop's 5% leeway), then goes by itself.
    EXPECT_TRUE(WinNoteShown());
    QCoreApplication::processEvents();
    EXPECT_TRUE(WinNoteShown());
    constexpr int kNoteShownAtLeast = 2850;
    constexpr int kNoteGoneWithin = 10000;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !WinNoteShown(); }, kNoteGoneWithin));
    EXPECT_GE(shownFor.elapsed(), kNoteShownAtLeast);

    // Loading by number keeps the blink; a second win replaces it.
    Window().LoadPuzzleNumber(5);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, blink);
    MatchFigure();
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
    EXPECT_NE(Window().mNewPuzzleBlinkTimer, blink);
    EXPECT_FALSE(Window().mNewPuzzleBlinkTimer->mIsHilited);
    // Game > New Puzzle ends the blinking and takes the note away.
    EXPECT_TRUE(WinNoteShown());
    const std::weak_ptr<NewPuzzleBlinkTimerClass> second = Window().mNewPuzzleBlinkTimer;
    Window().GameNewPuzzle_Action();
    EXPECT_TRUE(second.expired()); // released: it fires no more
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
    EXPECT_FALSE(WinNoteShown());
}

#include "tests/support/GameSession.h"

#include <QElapsedTimer>

#include <functional>

class WinCheck : public Shown<GameSession> {
protected:
    // The player's grid as if the pieces had just been laid out as the figure.
    void MatchFigure()
    {
        Table().mSolutionGrid = Puzzle().mSolutionGrid;
        Table().CheckForWin();
    }
    bool WinNoteShown() const { return TableShowsNote(winnote()); }
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
    // What the player sees on the event loop: the note at once, the New
    // Puzzle button lit after 0.8 s and back after 1.6 s, the note gone after
    // 3 s. Each time is a lower bound less the 5% by which the loop may fire
    // a timer early.
    const auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    constexpr int kBlink = 800;
    constexpr int kNoteStays = 3000;
    const auto seenAfter = [&](const std::function<bool()>& seen, int milliseconds) {
        constexpr int kWithin = 10000;
        constexpr int kEarlyPercent = 5;
        EXPECT_TRUE(QTest::qWaitFor(seen, kWithin));
        EXPECT_GE(shownFor.elapsed(), milliseconds * (100 - kEarlyPercent) / 100);
    };
    EXPECT_TRUE(WinNoteShown());
    seenAfter([&] { return ShowsPicture(button, newpuzzlehilite()); }, kBlink);
    seenAfter([&] { return ShowsPicture(button, newpuzzle()); }, 2 * kBlink);
    EXPECT_TRUE(WinNoteShown());
    seenAfter([&] { return !WinNoteShown(); }, kNoteStays);

    // Loading by number keeps the blink; a second win replaces it.
    Window().LoadPuzzleNumber(5);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, blink);
    MatchFigure();
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
    EXPECT_NE(Window().mNewPuzzleBlinkTimer, blink);
    EXPECT_FALSE(Window().mNewPuzzleBlinkTimer->mIsHilited);
    // Game > New Puzzle, by its key, ends the blinking and takes the note away.
    EXPECT_TRUE(WinNoteShown());
    const std::weak_ptr<NewPuzzleBlinkTimerClass> second = Window().mNewPuzzleBlinkTimer;
    WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(second.expired()); // released: it fires no more
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
    EXPECT_FALSE(WinNoteShown());
}

#include "tests/support/MousePlayer.h"

#include "platform/Random.h"

#include <array>
#include <set>

// A whole game from a fresh store: every built-in puzzle solved with the
// mouse, one after another, each figure built at another place on the table
// and with another number of hints, until the end page; then a restart.
class AllPuzzles : public MousePlayer {
protected:
    static constexpr int kPuzzleCount = 30;
    static constexpr int kHintLevels = 8; // no hint to all seven
    static constexpr std::uint32_t kSeed = 20240611;
    // A corner for the k-th figure: spread over the places where the whole
    // figure's box lies on the table (or, for a figure too large for that,
    // where every piece can still be dropped).
    QPoint CornerFor(int k) const
    {
        QRect range = ReachableCorners();
        const QRect onTable(0, 0, Table().Width() - Puzzle().mPixelWidth + 1,
                            Table().Height() - Puzzle().mPixelHeight + 1);
        // QRect normalises a negative size, so test validity first.
        if (onTable.isValid() && range.intersects(onTable)) {
            range = range.intersected(onTable);
        }
        constexpr int kStepsX = 11;
        constexpr int kStepsY = 7;
        const int x = range.left() + range.width() * ((k * 4) % kStepsX) / (kStepsX - 1);
        const int y = range.top() + range.height() * ((k * 3) % kStepsY) / (kStepsY - 1);
        // Down onto the cell grid, on which the range starts.
        return {Snap(x), Snap(y)};
    }
};

TEST_F(AllPuzzles, EveryPuzzleSolvedWithTheMouseThenTheEndPageAfterARestart)
{
    StartShown();
    gRandom = std::make_shared<platform::Random>(kSeed); // the same puzzles in the same order on every run
    std::set<int> solved;
    std::array<int, kHintLevels> byHints{};
    for (int k = 0; k < kPuzzleCount; ++k) {
        const int number = Puzzle().mPuzzleNumber;
        SCOPED_TRACE(testing::Message() << "solve " << k + 1 << ", puzzle " << number);
        ASSERT_TRUE(number >= 1 && number <= kPuzzleCount);
        ASSERT_FALSE(solved.count(number)) << "an already solved puzzle came again";
        EXPECT_EQ(Window().Title(), TitleFor(number));

        const int hints = k % kHintLevels;
        for (int h = 0; h < hints; ++h) {
            ClickCanvas("GetHintButtonCanvas");
        }
        ASSERT_EQ(Puzzle().mHintCount, hints);
        if (k % 3 == 1) {
            // Solving from the Stats page brings the Play page back.
            ClickCanvas("SidebarPanel0StatsButtonCanvas");
            ASSERT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kStatsPage);
        }

        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse(CornerFor(k)));

        solved.insert(number);
        ++byHints[hints];
        const int left = kPuzzleCount - static_cast<int>(solved.size());
        ASSERT_TRUE(Puzzle().mIsWon);
        EXPECT_EQ(Count("SolvedPuzzles", QStringLiteral("Number = %1 AND NumHintsUsed = %2").arg(number).arg(hints)), 1);
        const PlayWindow& w = Window();
        EXPECT_EQ(std::tuple(Count("SolvedPuzzles"), w.mStatsSolved, w.mStatsUnsolved), std::tuple(k + 1, k + 1, left));
        // The Stats page's solves by hints: its copies of the statistics.
        EXPECT_EQ((std::array{w.mStatsHints0, w.mStatsHints1, w.mStatsHints2, w.mStatsHints3, w.mStatsHints4,
                              w.mStatsHints5, w.mStatsHints6, w.mStatsHints7}),
                  byHints);
        EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
        if (left == 0) {
            break;
        }

        EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kPlayButtonsPage);
        EXPECT_TRUE(TableShowsNote(winnote()));
        ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);
        platform::Deref(Table().mWinNoteTimer).Fire();
        EXPECT_FALSE(TableShowsNote(winnote()));

        ClickCanvas("NewPuzzleButtonCanvas");
        EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    }

    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kEndPage);
    EXPECT_TRUE(TableShowsNote(completenote()));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    // The last win starts no win-note timer (the one before has fired).
    EXPECT_TRUE(!Table().mWinNoteTimer || !Table().mWinNoteTimer->IsRunning());
    // Closing now leaves no game to resume.
    Window().close();
    EXPECT_EQ(Count("SavedPuzzle"), 0);

    // The next start has nothing left to play: the end page, the completion
    // note, New Puzzle loads nothing, and the Quit button quits. (Table
    // presses with nothing left are refused: see the table's tests.)
    StopGame();
    StartShown();
    EXPECT_EQ(Stats().mNumSolved, kPuzzleCount);
    EXPECT_EQ(std::pair(PageOf("SidebarPagePanel"), PageOf("PlayTabPagePanel")),
              std::pair(PlayWindow::kPlayPage, PlayWindow::kEndPage));
    EXPECT_TRUE(TableShowsNote(completenote()));
    const int number = Puzzle().mPuzzleNumber;
    Window().GameNewPuzzle_Action();
    EXPECT_EQ(Puzzle().mPuzzleNumber, number);
    // A release outside the button does nothing, as for Get Hint.
    const int quitsBefore = mQuits;
    ClickCanvas("QuitButtonCanvas", QPoint(-1, 20));
    EXPECT_EQ(mQuits, quitsBefore);
    ClickCanvas("QuitButtonCanvas");
    EXPECT_EQ(mQuits, quitsBefore + 1);
}

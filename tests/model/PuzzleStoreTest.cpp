#include "ModelTestSupport.h"
#include "platform/NilObjectException.h"

#include <set>

namespace {

// Records a solve of every built-in puzzle but the ones given.
void SolveAllBut(const QString& unsolved)
{
    gPrefsDatabase->mDB->SQLExecute("DELETE FROM SolvedPuzzles");
    gPrefsDatabase->mDB->SQLExecute("INSERT INTO SolvedPuzzles SELECT Number, 0 FROM Puzzles WHERE Number NOT IN ("
                                    + unsolved + ")");
    ASSERT_TRUE(gPrefsDatabase->mDB->Commit());
    gStats->LoadStats();
}

// The counters by number of hints, 0 to 7.
using Counts = std::array<int, 8>;
Counts HintCounts(const StatsClass& s)
{
    return {s.mNum0Hints, s.mNum1Hints, s.mNum2Hints, s.mNum3Hints,
            s.mNum4Hints, s.mNum5Hints, s.mNum6Hints, s.mNum7Hints};
}

} // namespace

TEST_F(PuzzleStoreTest, LoadsReplaceTheGameButDamagedOrMissingRowsDoNot)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    puzzle.mHintCount = 5;
    puzzle.mIsWon = true;
    puzzle.LoadFromDatabase(2);
    EXPECT_EQ(std::tuple(puzzle.mPuzzleNumber, puzzle.mHintCount, puzzle.mIsWon), std::tuple(2, 0, false));
    EXPECT_EQ(puzzle.mPieceRhombus->mPosX, 0) << "puzzle 2's leftmost piece";

    // No row, or a figure no table could hold: the game goes on unchanged.
    puzzle.mIsWon = true;
    const auto grid = puzzle.mSolutionGrid;
    Execute("UPDATE Puzzles SET Square_PosX = 2000000000 WHERE Number = 4");
    for (int number : {0, 31, 4}) {
        puzzle.LoadFromDatabase(number);
        EXPECT_EQ(std::tuple(puzzle.mPuzzleNumber, puzzle.mIsWon), std::tuple(2, true)) << number;
        EXPECT_EQ(puzzle.mSolutionGrid, grid);
    }

    // An orientation out of range, or values that are no numbers, still load.
    const auto rhombusPicture = puzzle.mPieceRhombus->mPicture;
    Execute("UPDATE Puzzles SET Rhombus_Orientation = 9, Square_PosX = 'x' WHERE Number = 3");
    puzzle.LoadFromDatabase(3);
    EXPECT_EQ(puzzle.mPuzzleNumber, 3);
    EXPECT_EQ(puzzle.mPieceRhombus->mPicture, rhombusPicture);
    EXPECT_FALSE(puzzle.mSolutionGrid->mHasOverlap);
}

TEST_F(PuzzleStoreTest, RandomChoiceTakesAnyOtherUnsolvedPuzzleAndEndsWhenNoneIsLeft)
{
    PuzzleClass puzzle;
    SolveAllBut("5, 7, 9, 12");
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        puzzle.LoadFromDatabase(5);
        gRandom = std::make_shared<platform::Random>(seed);
        puzzle.LoadRandomUnsolved();
        seen.insert(puzzle.mPuzzleNumber);
    }
    EXPECT_EQ(seen, (std::set<int>{7, 9, 12}));

    // {is 5 left unsolved, solved count the statistics claim}: one left is
    // taken without a draw, also when it is being played or the statistics
    // claim more; none left loads nothing.
    const std::pair<bool, int> cases[] = {{true, -1}, {true, 10}, {false, -1}, {false, 29}, {false, 10}};
    for (const auto& [fiveLeft, claimedSolved] : cases) {
        SolveAllBut(fiveLeft ? "5" : "");
        gStats->mNumSolved = claimedSolved >= 0 ? claimedSolved : gStats->mNumSolved;
        // A draw is allowed only where the statistics claim several unsolved.
        gRandom = claimedSolved < 0 ? nullptr : std::make_shared<platform::Random>(1u);
        puzzle.LoadFromDatabase(5);
        puzzle.mIsWon = true;
        puzzle.LoadRandomUnsolved();
        EXPECT_EQ(puzzle.mIsWon, !fiveLeft) << fiveLeft << ", " << claimedSolved << " claimed";
        EXPECT_EQ(puzzle.mPuzzleNumber, 5);
    }
}

TEST_F(PuzzleStoreTest, AFigureComposedAnywhereIsSavedInPlaceAndItsSolvesReachTheFileAtOnce)
{
    PuzzleClass puzzle;
    puzzle.MarkSolvedInDatabase(); // no stored puzzle: no solve to count
    puzzle.mIsWon = true;
    PieceLayout(kFirstPuzzle, 370, 150).ComposeInto(puzzle);
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    EXPECT_EQ(std::tuple(puzzle.mPieceLargeTriangle2->mPosX, puzzle.mPieceRhombus->mPosY, puzzle.mPixelWidth,
                         puzzle.mPixelHeight, puzzle.mIsWon),
              std::tuple(80, 280, 360, 520, true)); // as stored, and composing keeps the won flag
    EXPECT_EQ(std::tuple(grid.mNumTrimmedLeft, grid.mNumTrimmedTop, grid.mNumTrimmedRight, grid.mNumTrimmedBottom),
              std::tuple(8, 8, 8, 4));
    puzzle.SaveToDatabase();
    EXPECT_EQ(puzzle.mPuzzleNumber, 31);
    PuzzleClass reloaded;
    reloaded.LoadFromDatabase(31);
    EXPECT_EQ(reloaded.mPieceSmallTriangle2->mPosY, 380);
    EXPECT_TRUE(reloaded.mSolutionGrid->DoesMatch(grid));

    reloaded.mHintCount = 4;
    reloaded.MarkSolvedInDatabase();
    const auto other = OpenFile(); // as another run of the game finds the file
    EXPECT_EQ(Count(*other, "SolvedPuzzles"), 1);
    EXPECT_EQ(Count(*other, "SolvedPuzzles WHERE Number = 31 AND NumHintsUsed = 4"), 1);
    reloaded.ResetAll();
    EXPECT_EQ(Count(*other, "SolvedPuzzles"), 0);

    // A save the store refuses gives no number to a row that is not there.
    Execute("DROP TABLE Puzzles");
    PuzzleClass unsaved;
    PieceLayout(kFirstPuzzle).ComposeInto(unsaved);
    unsaved.SaveToDatabase();
    EXPECT_EQ(unsaved.mPuzzleNumber, 0);
}

TEST_F(PuzzleStoreTest, StatisticsCountEachWinUnderItsHintsAtTheNextLoadAndNeedAStore)
{
    StatsClass stats;
    // Each hint count once; the same puzzle solved again counts again; no or
    // an impossible hint count is a solve in no hint column; a record without
    // a number is no solve but still counts under its hints.
    Execute("INSERT INTO SolvedPuzzles VALUES (1, 0), (2, 1), (3, 2), (4, 3), (5, 4), (6, 5), (7, 6), (8, 7), "
            "(1, 3), (12, 9), (13, NULL), (NULL, 0)");
    EXPECT_EQ(std::tuple(stats.mNumTotal, stats.mNumSolved, HintCounts(stats)), std::tuple(30, 0, Counts{}))
        << "counts change only when loaded";
    stats.LoadStats();
    EXPECT_EQ(std::tuple(stats.mNumSolved, HintCounts(stats)), std::tuple(11, Counts{2, 1, 1, 2, 1, 1, 1, 1}));
    Execute("DELETE FROM SolvedPuzzles WHERE Number <= 4; INSERT INTO Puzzles (Number) VALUES (31)");
    stats.LoadStats();
    EXPECT_EQ(std::tuple(stats.mNumTotal, stats.mNumSolved, HintCounts(stats)),
              std::tuple(31, 6, Counts{1, 0, 0, 0, 1, 1, 1, 1}));

    // A count the store does not answer keeps its value.
    gPrefsDatabase->mDB->SQLExecute("ALTER TABLE SolvedPuzzles RENAME TO Gone");
    stats.LoadStats();
    EXPECT_EQ(std::pair(stats.mNumTotal, stats.mNumSolved), std::pair(31, 6));
    gPrefsDatabase.reset();
    EXPECT_THROW(stats.LoadStats(), platform::NilObjectException);
    EXPECT_THROW(StatsClass{}, platform::NilObjectException);
}

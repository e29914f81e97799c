#include "PuzzleTestSupport.h"

#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "platform/RecordSet.h"

#include <set>

namespace {

// Rows of a query on a second connection to the store file: what another
// run of the game would find there.
std::vector<std::pair<int, int>> SolvedRowsOnDisk()
{
    platform::Database other;
    other.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
    EXPECT_TRUE(other.Connect());
    std::vector<std::pair<int, int>> rows;
    auto result = other.SQLSelect(QStringLiteral("SELECT Number, NumHintsUsed FROM SolvedPuzzles"));
    EXPECT_NE(result, nullptr);
    if (result) {
        for (; !result->EOF(); result->MoveNext()) {
            rows.emplace_back(result->Field(QStringLiteral("Number")).Value().IntegerValue(),
                              result->Field(QStringLiteral("NumHintsUsed")).Value().IntegerValue());
        }
        result->Close();
    }
    other.Close();
    return rows;
}

} // namespace

TEST_F(PuzzleStoreTest, LoadComposesTheStoredFigureAndForgetsThePreviousGame)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    puzzle.mHintCount = 5;
    puzzle.mIsWon = true;

    puzzle.LoadFromDatabase(2);
    EXPECT_EQ(puzzle.mPuzzleNumber, 2);
    EXPECT_EQ(puzzle.mHintCount, 0);
    EXPECT_FALSE(puzzle.mIsWon);
    // Puzzle 2's smallest x is the rhombus's 150 and smallest y the second
    // small triangle's 60.
    EXPECT_EQ(puzzle.mPieceRhombus->mPosX, 0);
    EXPECT_EQ(puzzle.mPieceSmallTriangle2->mPosY, 0);
    EXPECT_EQ(puzzle.mPieceLargeTriangle1->mPosX, 70);
    EXPECT_EQ(puzzle.mPieceLargeTriangle1->mOrientation, 1);
    EXPECT_EQ(puzzle.mPieceSquare->mOrientation, 2);
    ASSERT_NE(puzzle.mBoardSilhouette, nullptr);
}

TEST_F(PuzzleStoreTest, DamagedOrMissingRowsNeverBreakThePuzzleBeingPlayed)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(2);
    puzzle.mHintCount = 2;
    puzzle.mIsWon = true;
    const auto grid = puzzle.mSolutionGrid;
    const auto silhouette = puzzle.mBoardSilhouette;

    // Numbers with no row leave everything as it was.
    for (int missing : {0, -1, 31, 1000}) {
        puzzle.LoadFromDatabase(missing);
        EXPECT_EQ(puzzle.mPuzzleNumber, 2);
        EXPECT_EQ(puzzle.mHintCount, 2);
        EXPECT_TRUE(puzzle.mIsWon);
        EXPECT_EQ(puzzle.mSolutionGrid, grid);
        EXPECT_EQ(puzzle.mBoardSilhouette, silhouette);
    }

    // A figure too large for any table (a damaged position) is refused too.
    Execute(QStringLiteral("UPDATE Puzzles SET Square_PosX = 2000000000 WHERE Number = 4"));
    puzzle.LoadFromDatabase(4);
    EXPECT_EQ(puzzle.mPuzzleNumber, 2);
    EXPECT_EQ(puzzle.mSolutionGrid, grid);

    // An orientation out of range loads: the piece keeps its picture and
    // adds no cells, and nothing else is harmed.
    const auto rhombusPicture = puzzle.mPieceRhombus->mPicture;
    Execute(QStringLiteral("UPDATE Puzzles SET Rhombus_Orientation = 9 WHERE Number = 3"));
    puzzle.LoadFromDatabase(3);
    EXPECT_EQ(puzzle.mPuzzleNumber, 3);
    EXPECT_EQ(puzzle.mPieceRhombus->mOrientation, 9);
    EXPECT_EQ(puzzle.mPieceRhombus->mPicture, rhombusPicture);
    EXPECT_FALSE(puzzle.mSolutionGrid->mHasOverlap);
    ASSERT_NE(puzzle.mBoardSilhouette, nullptr);

    // A piece whose every value is damaged beyond reading counts as 0.
    Execute(QStringLiteral("UPDATE Puzzles SET Square_PosX = 'x', Square_Orientation = NULL WHERE Number = 5"));
    puzzle.LoadFromDatabase(5);
    EXPECT_EQ(puzzle.mPuzzleNumber, 5);
    EXPECT_EQ(puzzle.mPieceSquare->mOrientation, 0);
}

TEST_F(PuzzleStoreTest, RandomChoiceFollowsTheUnsolvedPuzzles)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(5);

    // Several unsolved: never the current one, and every other can come.
    SolveAllBut({5, 7, 9, 12});
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        puzzle.LoadFromDatabase(5);
        puzzle.mHintCount = 3;
        gRandom = std::make_shared<platform::Random>(seed);
        puzzle.LoadRandomUnsolved();
        seen.insert(puzzle.mPuzzleNumber);
        ASSERT_EQ(puzzle.mHintCount, 0);
    }
    EXPECT_EQ(seen, (std::set<int>{7, 9, 12}));

    // With no puzzle loaded yet any unsolved one can come, 5 included.
    seen.clear();
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        PuzzleClass fresh;
        gRandom = std::make_shared<platform::Random>(seed);
        fresh.LoadRandomUnsolved();
        seen.insert(fresh.mPuzzleNumber);
    }
    EXPECT_EQ(seen, (std::set<int>{5, 7, 9, 12}));

    // One left: it is taken without a draw, even when it is being played.
    Solve({7, 9, 12});
    gRandom.reset();
    puzzle.mIsWon = true;
    puzzle.mHintCount = 6;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 5);
    EXPECT_FALSE(puzzle.mIsWon);
    EXPECT_EQ(puzzle.mHintCount, 0);

    // None left: nothing changes.
    Solve({5});
    puzzle.mIsWon = true;
    const auto grid = puzzle.mSolutionGrid;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 5);
    EXPECT_TRUE(puzzle.mIsWon);
    EXPECT_EQ(puzzle.mSolutionGrid, grid);
}

TEST_F(PuzzleStoreTest, RandomChoiceSurvivesStatisticsThatDisagreeWithTheStore)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(8);
    puzzle.mIsWon = true;

    // They claim several, the store holds only the puzzle being played: it
    // is replayed rather than searched for forever.
    SolveAllBut({8});
    gStats->mNumSolved = 10;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 8);
    EXPECT_FALSE(puzzle.mIsWon);

    // They claim several unsolved, the store has none left.
    Solve({8});
    puzzle.mIsWon = true;
    gStats->mNumSolved = 20;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 8);
    EXPECT_TRUE(puzzle.mIsWon);

    // They claim one unsolved, the store has none.
    gStats->mNumSolved = gStats->mNumTotal - 1;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 8);
    EXPECT_TRUE(puzzle.mIsWon);
}

TEST_F(PuzzleStoreTest, SavedFigureBecomesTheNextNumberedPuzzle)
{
    PuzzleClass source;
    source.LoadFromDatabase(1);
    PuzzleClass puzzle;
    puzzle.SetFromPieces(*source.mPieceLargeTriangle1, *source.mPieceLargeTriangle2,
                         *source.mPieceMediumTriangle, *source.mPieceSmallTriangle1,
                         *source.mPieceSmallTriangle2, *source.mPieceRhombus, *source.mPieceSquare);
    puzzle.mHintCount = 1;
    puzzle.SaveToDatabase();
    EXPECT_EQ(puzzle.mPuzzleNumber, 31);
    EXPECT_EQ(puzzle.mHintCount, 1);

    gStats->LoadStats();
    EXPECT_EQ(gStats->mNumTotal, 31);
    auto row = Store().SQLSelect(QStringLiteral("SELECT * FROM Puzzles WHERE Number = 31"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Field(QStringLiteral("Rhombus_PosX")).Value().IntegerValue(), 30);
    EXPECT_EQ(row->Field(QStringLiteral("SmallTriangle2_PosY")).Value().IntegerValue(), 380);
    EXPECT_EQ(row->Field(QStringLiteral("LargeTriangle2_Orientation")).Value().IntegerValue(), 8);
    row->Close();

    PuzzleClass reloaded;
    reloaded.LoadFromDatabase(31);
    EXPECT_TRUE(reloaded.mSolutionGrid->DoesMatch(*source.mSolutionGrid));

    // A save the store refuses gives no number to a row that does not exist.
    Execute(QStringLiteral("DROP TABLE Puzzles"));
    PuzzleClass unsaved;
    unsaved.SetFromPieces(*source.mPieceLargeTriangle1, *source.mPieceLargeTriangle2,
                          *source.mPieceMediumTriangle, *source.mPieceSmallTriangle1,
                          *source.mPieceSmallTriangle2, *source.mPieceRhombus, *source.mPieceSquare);
    unsaved.SaveToDatabase();
    EXPECT_EQ(unsaved.mPuzzleNumber, 0);
}

TEST_F(PuzzleStoreTest, SolvesAreOnDiskAtOnceAndCanBeCleared)
{
    PuzzleClass puzzle;
    puzzle.MarkSolvedInDatabase(); // no stored puzzle: nothing to count
    EXPECT_TRUE(SolvedRowsOnDisk().empty());

    puzzle.LoadFromDatabase(6);
    puzzle.mHintCount = 4;
    puzzle.mIsWon = true;
    puzzle.MarkSolvedInDatabase();
    EXPECT_EQ(SolvedRowsOnDisk(), (std::vector<std::pair<int, int>>{{6, 4}}));
    EXPECT_TRUE(puzzle.mIsWon);
    EXPECT_EQ(gStats->mNumSolved, 0) << "the statistics are the caller's to reload";

    puzzle.mHintCount = 0;
    puzzle.MarkSolvedInDatabase();
    gStats->LoadStats();
    EXPECT_EQ(gStats->mNumSolved, 2);
    EXPECT_EQ(gStats->mNum4Hints, 1);
    EXPECT_EQ(gStats->mNum0Hints, 1);

    puzzle.ResetAll();
    EXPECT_TRUE(SolvedRowsOnDisk().empty());
    EXPECT_EQ(puzzle.mPuzzleNumber, 6);
}

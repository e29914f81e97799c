#include "PuzzleTestSupport.h"

#include "platform/RecordSet.h"

#include <set>

namespace {

// The solved records as another run of the game would find them in the file.
std::vector<std::pair<int, int>> SolvedRowsOnDisk()
{
    platform::Database other;
    other.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
    std::vector<std::pair<int, int>> rows;
    auto result = other.Connect() ? other.SQLSelect(QStringLiteral("SELECT * FROM SolvedPuzzles")) : nullptr;
    for (; result && !result->EOF(); result->MoveNext()) {
        rows.emplace_back(result->Field(QStringLiteral("Number")).Value().IntegerValue(),
                          result->Field(QStringLiteral("NumHintsUsed")).Value().IntegerValue());
    }
    return rows;
}

} // namespace

TEST_F(PuzzleStoreTest, LoadsReplaceTheGameButDamagedOrMissingRowsDoNot)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    puzzle.mHintCount = 5;
    puzzle.mIsWon = true;
    puzzle.LoadFromDatabase(2);
    EXPECT_EQ(puzzle.mPuzzleNumber, 2);
    EXPECT_EQ(puzzle.mHintCount, 0);
    EXPECT_FALSE(puzzle.mIsWon);
    EXPECT_EQ(puzzle.mPieceRhombus->mPosX, 0) << "puzzle 2's leftmost piece";

    // No row, or a figure no table could hold: the game goes on unchanged.
    puzzle.mIsWon = true;
    const auto grid = puzzle.mSolutionGrid;
    Execute(QStringLiteral("UPDATE Puzzles SET Square_PosX = 2000000000 WHERE Number = 4"));
    for (int number : {0, 31, 4}) {
        puzzle.LoadFromDatabase(number);
        EXPECT_EQ(puzzle.mPuzzleNumber, 2);
        EXPECT_TRUE(puzzle.mIsWon);
        EXPECT_EQ(puzzle.mSolutionGrid, grid);
    }

    // An orientation out of range, or values that are no numbers, still load.
    const auto rhombusPicture = puzzle.mPieceRhombus->mPicture;
    Execute(QStringLiteral("UPDATE Puzzles SET Rhombus_Orientation = 9, Square_PosX = 'x' WHERE Number = 3"));
    puzzle.LoadFromDatabase(3);
    EXPECT_EQ(puzzle.mPuzzleNumber, 3);
    EXPECT_EQ(puzzle.mPieceRhombus->mPicture, rhombusPicture);
    EXPECT_FALSE(puzzle.mSolutionGrid->mHasOverlap);
}

TEST_F(PuzzleStoreTest, RandomChoiceTakesAnyOtherUnsolvedPuzzle)
{
    PuzzleClass puzzle;
    SolveAllBut({5, 7, 9, 12});
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        puzzle.LoadFromDatabase(5);
        gRandom = std::make_shared<platform::Random>(seed);
        puzzle.LoadRandomUnsolved();
        seen.insert(puzzle.mPuzzleNumber);
    }
    EXPECT_EQ(seen, (std::set<int>{7, 9, 12}));

    // One left: taken without a draw, also when it is being played.
    SolveAllBut({5});
    gRandom.reset();
    puzzle.mIsWon = true;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 5);
    EXPECT_FALSE(puzzle.mIsWon);

    // None left: nothing changes.
    SolveAllBut({});
    puzzle.mIsWon = true;
    puzzle.LoadRandomUnsolved();
    EXPECT_TRUE(puzzle.mIsWon);
}

TEST_F(PuzzleStoreTest, RandomChoiceEndsWhenTheStatisticsDisagreeWithTheStore)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(8);
    // They claim several unsolved, the store holds only the current one:
    // it is replayed instead of drawn for forever.
    SolveAllBut({8});
    gStats->mNumSolved = 10;
    puzzle.mIsWon = true;
    puzzle.LoadRandomUnsolved();
    EXPECT_EQ(puzzle.mPuzzleNumber, 8);
    EXPECT_FALSE(puzzle.mIsWon);

    // They claim one or several unsolved, the store has none: nothing loads.
    SolveAllBut({});
    for (int claimedSolved : {29, 10}) {
        gStats->mNumSolved = claimedSolved;
        puzzle.mIsWon = true;
        puzzle.LoadRandomUnsolved();
        EXPECT_TRUE(puzzle.mIsWon);
    }
}

TEST_F(PuzzleStoreTest, SavedFiguresAndSolvesReachTheFileAtOnce)
{
    PuzzleClass puzzle;
    puzzle.MarkSolvedInDatabase(); // no stored puzzle: no solve to count
    PieceLayout(kFirstPuzzle, 200, 100).ComposeInto(puzzle);
    puzzle.SaveToDatabase();
    EXPECT_EQ(puzzle.mPuzzleNumber, 31);
    PuzzleClass reloaded;
    reloaded.LoadFromDatabase(31);
    EXPECT_EQ(reloaded.mPieceSmallTriangle2->mPosY, 380);
    EXPECT_TRUE(reloaded.mSolutionGrid->DoesMatch(*puzzle.mSolutionGrid));

    reloaded.mHintCount = 4;
    reloaded.MarkSolvedInDatabase();
    reloaded.MarkSolvedInDatabase();
    EXPECT_EQ(SolvedRowsOnDisk(), (std::vector<std::pair<int, int>>{{31, 4}, {31, 4}}));
    reloaded.ResetAll();
    EXPECT_TRUE(SolvedRowsOnDisk().empty());

    // A save the store refuses gives no number to a row that is not there.
    Execute(QStringLiteral("DROP TABLE Puzzles"));
    PuzzleClass unsaved;
    PieceLayout(kFirstPuzzle).ComposeInto(unsaved);
    unsaved.SaveToDatabase();
    EXPECT_EQ(unsaved.mPuzzleNumber, 0);
}

#include "ModelTestSupport.h"

#include "platform/NilObjectException.h"

#include <set>

namespace {

constexpr int kCell = 10;
constexpr int kInside = 0xD6;
constexpr int kOutside = 0xFF;
// The figure's faint shadow on the table shows this colour through its mask.
constexpr QRgb kSilhouetteRed = 0x660000;

// The silhouette mask's grey at in-cell offset (mx, my) of a cell with this
// code, or -1 where a soft piece edge (a cell border, a diagonal) may leave
// any grey in between.
int ExpectedMask(int code, int mx, int my)
{
    if (mx < 1 || my < 1 || mx > kCell - 2 || my > kCell - 2) {
        return -1;
    }
    const int anti = mx + my - (kCell - 1); // negative in the top-left half
    const int main = mx - my;               // positive in the top-right half
    const auto side = [](int d) { return d >= 2 ? kInside : d <= -2 ? kOutside : -1; };
    switch (code) {
    case 0: return kOutside;
    case 1: return side(-anti);
    case 2: return side(main);
    case 3: return side(-main);
    case 4: return side(anti);
    default: return std::abs(anti) >= 2 && std::abs(main) >= 2 ? kInside : -1;
    }
}

// The counters by number of hints, 0 to 7.
using Counts = std::array<int, 8>;
Counts HintCounts(const StatsClass& s)
{
    return {s.mNum0Hints, s.mNum1Hints, s.mNum2Hints, s.mNum3Hints,
            s.mNum4Hints, s.mNum5Hints, s.mNum6Hints, s.mNum7Hints};
}

} // namespace

// The silhouette is drawn from the pieces' art, the grid from their cell
// patterns: pixel by pixel they must tell the same figure.
TEST_F(PuzzleStoreTest, EveryBuiltInFigureFitsWithoutOverlapAndItsSilhouetteShowsItExactly)
{
    PuzzleClass puzzle;
    for (int n = 1; n <= 30; ++n) {
        SCOPED_TRACE(n);
        const auto previous = puzzle.mBoardSilhouette;
        puzzle.LoadFromDatabase(n);
        ASSERT_EQ(puzzle.mPuzzleNumber, n);
        const SolutionGridClass& grid = *puzzle.mSolutionGrid;
        EXPECT_FALSE(grid.mHasOverlap);
        // Nothing clipped and nothing counted twice.
        int piecesArea = 0;
        for (const PieceClass* piece : PiecesOf(puzzle)) {
            piecesArea += Coverage(*piece->GetSolutionGrid()).second;
        }
        EXPECT_EQ(Coverage(grid).second, piecesArea);

        ASSERT_NE(puzzle.mBoardSilhouette, previous) << "a new picture, nothing of the last figure";
        const QImage& colour = puzzle.mBoardSilhouette->Image();
        const QImage& mask = puzzle.mBoardSilhouette->Mask()->Image();
        ASSERT_EQ(colour.size(), QSize(grid.GetWidth() * kCell, grid.GetHeight() * kCell));
        ASSERT_EQ(mask.size(), colour.size());
        for (int y = 0; y < colour.height(); ++y) {
            for (int x = 0; x < colour.width(); ++x) {
                ASSERT_EQ(colour.pixel(x, y) & 0xFFFFFFu, kSilhouetteRed);
                ASSERT_TRUE(qIsGray(mask.pixel(x, y)));
                const int grey = qRed(mask.pixel(x, y));
                ASSERT_GE(grey, kInside) << "never darker than one piece";
                const int code = grid.GetCell(x / kCell, y / kCell);
                const int want = ExpectedMask(code, x % kCell, y % kCell);
                ASSERT_TRUE(want < 0 || grey == want) << grey << " at " << x << "," << y << " code " << code;
            }
        }
    }
}

TEST_F(PuzzleStoreTest, LoadsReplaceTheGameButDamagedOrMissingRowsDoNot)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    puzzle.mHintCount = 5;
    puzzle.mIsWon = true;
    puzzle.LoadFromDatabase(2);
    EXPECT_EQ(std::tuple(puzzle.mPuzzleNumber, puzzle.mHintCount, puzzle.mIsWon), std::tuple(2, 0, false));
    EXPECT_EQ(puzzle.mPieceRhombus->mPosX, 0) << "puzzle 2's leftmost piece";

    // No row, a row numbered 0 (another program's, whose win could not be
    // kept), or a figure no table could hold: the game goes on unchanged.
    puzzle.mIsWon = true;
    const auto grid = puzzle.mSolutionGrid;
    Execute("UPDATE Puzzles SET Square_PosX = 2000000000 WHERE Number = 4; INSERT INTO Puzzles (Number) VALUES (0)");
    for (int number : {0, 31, 4}) {
        puzzle.LoadFromDatabase(number);
        EXPECT_EQ(std::tuple(puzzle.mPuzzleNumber, puzzle.mIsWon), std::tuple(2, true)) << number;
        EXPECT_EQ(puzzle.mSolutionGrid, grid);
    }

    // An orientation out of range, or values that are no numbers, still load.
    const auto rhombusPicture = puzzle.mPieceRhombus->mPicture;
    Execute("UPDATE Puzzles SET Rhombus_Orientation = 9, Square_PosX = 'x' WHERE Number = 3");
    puzzle.LoadFromDatabase(3);
    EXPECT_EQ(std::tuple(puzzle.mPuzzleNumber, puzzle.mPieceRhombus->mPicture, puzzle.mSolutionGrid->mHasOverlap),
              std::tuple(3, rhombusPicture, false));
}

TEST_F(PuzzleStoreTest, RandomChoiceTakesAnyOtherUnsolvedPuzzleAndEndsWhenNoneIsLeft)
{
    // Records a solve of every built-in puzzle but the ones given.
    const auto solveAllBut = [](const QString& unsolved) {
        Execute("DELETE FROM SolvedPuzzles; INSERT INTO SolvedPuzzles SELECT Number, 0 FROM Puzzles"
                " WHERE Number BETWEEN 1 AND 30 AND Number NOT IN (" + unsolved + ")");
        gStats->LoadStats();
    };
    // Rows another program numbered 0 or below are neither offered nor
    // counted unsolved: no win of theirs could be kept.
    Execute("INSERT INTO Puzzles (Number) VALUES (0), (-2)");
    PuzzleClass puzzle;
    solveAllBut("5, 7, 9, 12");
    EXPECT_EQ(std::pair(gStats->mNumTotal, gStats->mNumSolved), std::pair(30, 26));
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        puzzle.LoadFromDatabase(5);
        gRandom = std::make_shared<platform::Random>(seed);
        puzzle.LoadRandomUnsolved();
        seen.insert(puzzle.mPuzzleNumber);
    }
    // Every other one is drawn, and nothing outside them: the draw stays in range.
    EXPECT_EQ(seen, (std::set<int>{7, 9, 12}));
    // The game never draws among none, but a draw asked to answers 0.
    EXPECT_EQ(platform::Random(1u).LessThan(0), 0);

    // {is 5 left unsolved, solved count the statistics claim}: one left is
    // taken without a draw, also when it is being played or the statistics
    // claim more; none left loads nothing.
    const std::pair<bool, int> cases[] = {{true, -1}, {true, 10}, {false, -1}, {false, 29}, {false, 10}};
    for (const auto& [fiveLeft, claimedSolved] : cases) {
        solveAllBut(fiveLeft ? "5" : "");
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
    puzzle.LoadFromDatabase(1);
    puzzle.mIsWon = true;
    Recompose(puzzle, 370, 150);
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
    Recompose(puzzle, 0, 0);
    puzzle.SaveToDatabase();
    EXPECT_EQ(puzzle.mPuzzleNumber, 0);

    // No piece in range: the grid holds no cell and keeps its composed size.
    Recompose(puzzle, 0, 0, 0);
    EXPECT_EQ(std::pair(puzzle.mSolutionGrid->GetWidth(), puzzle.mSolutionGrid->GetHeight()), std::pair(36, 52));
    EXPECT_EQ(Coverage(*puzzle.mSolutionGrid).first, 0);
    EXPECT_EQ(puzzle.mBoardSilhouette->Width(), 360);
}

TEST_F(PuzzleStoreTest, StatisticsCountEachWinUnderItsHintsAtTheNextLoadAndNeedAStore)
{
    StatsClass stats;
    // Every hint count, five and six more often than their neighbours. A
    // puzzle solved again is still one solved puzzle, counted under its
    // fewest hints (1 with 3 and then 0); no or an impossible hint count
    // decides no hint column (14 and 15 count under 3), and alone is a solve
    // in none; a record without a number, or of a puzzle the catalogue lacks
    // or numbers 0, is no solve at all.
    Execute("INSERT INTO SolvedPuzzles VALUES (1, 3), (2, 1), (3, 2), (4, 3), (5, 4), (6, 5), (7, 6), (8, 7), "
            "(1, 0), (12, 9), (13, NULL), (NULL, 0), (9, 5), (10, 5), (11, 6), (40, 1), (2, 1), "
            "(14, -1), (14, 3), (15, 9), (15, 3), (0, 2); INSERT INTO Puzzles (Number) VALUES (0)");
    EXPECT_EQ(std::tuple(stats.mNumTotal, stats.mNumSolved, HintCounts(stats)), std::tuple(30, 0, Counts{}))
        << "counts change only when loaded";
    stats.LoadStats();
    EXPECT_EQ(std::tuple(stats.mNumTotal, stats.mNumSolved, HintCounts(stats)),
              std::tuple(30, 15, Counts{1, 1, 1, 3, 1, 3, 2, 1}));
    Execute("DELETE FROM SolvedPuzzles WHERE Number <= 4; INSERT INTO Puzzles (Number) VALUES (31), (40)");
    stats.LoadStats();
    EXPECT_EQ(std::tuple(stats.mNumTotal, stats.mNumSolved, HintCounts(stats)),
              std::tuple(32, 12, Counts{0, 1, 0, 2, 1, 3, 2, 1}));

    // A count the store does not answer keeps its value.
    gPrefsDatabase->mDB->SQLExecute("ALTER TABLE SolvedPuzzles RENAME TO Gone");
    stats.LoadStats();
    EXPECT_EQ(std::pair(stats.mNumTotal, stats.mNumSolved), std::pair(32, 12));
    gPrefsDatabase.reset();
    EXPECT_THROW(stats.LoadStats(), platform::NilObjectException);
    EXPECT_THROW(StatsClass{}, platform::NilObjectException);
}

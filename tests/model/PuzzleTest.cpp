#include "ModelTestSupport.h"

#include "platform/Picture.h"

#include <QColor>

namespace {

constexpr int kCell = 10;
constexpr int kInside = 0xD6;
constexpr int kOutside = 0xFF;

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

// Covered area of a grid in half cells.
int Area(const SolutionGridClass& grid)
{
    int area = 0;
    for (int i = 0; i < grid.GetWidth() * grid.GetHeight(); ++i) {
        const int code = grid.GetCell(i % grid.GetWidth(), i / grid.GetWidth());
        EXPECT_TRUE(code >= 0 && code <= SolutionGridClass::kFull) << i;
        area += code == SolutionGridClass::kFull ? 2 : code == 0 ? 0 : 1;
    }
    return area;
}

} // namespace

TEST(PuzzleComposition, OrientationsOutOfRangeAddNoCellsAndNeverFail)
{
    PieceLayout layout(kFirstPuzzle);
    PuzzleClass puzzle;
    // No piece in range: the grid holds no cell and keeps its composed size.
    for (PieceClass* piece : layout.Pieces()) {
        piece->mOrientation = 0;
    }
    layout.ComposeInto(puzzle);
    EXPECT_EQ(std::pair(puzzle.mSolutionGrid->GetWidth(), puzzle.mSolutionGrid->GetHeight()), std::pair(36, 52));
    EXPECT_EQ(Area(*puzzle.mSolutionGrid), 0);
    EXPECT_EQ(puzzle.mBoardSilhouette->Width(), 360);
}

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
        for (const PieceClass* piece : std::initializer_list<const PieceClass*>{puzzle.mPieceLargeTriangle1.get(),
                 puzzle.mPieceLargeTriangle2.get(), puzzle.mPieceMediumTriangle.get(),
                 puzzle.mPieceSmallTriangle1.get(), puzzle.mPieceSmallTriangle2.get(), puzzle.mPieceRhombus.get(),
                 puzzle.mPieceSquare.get()}) {
            piecesArea += Area(*piece->GetSolutionGrid());
        }
        EXPECT_EQ(Area(grid), piecesArea);
        if (n == 1) { // a solid block
            EXPECT_EQ(std::pair(grid.GetWidth(), grid.GetHeight()), std::pair(20, 40));
        }

        ASSERT_NE(puzzle.mBoardSilhouette, previous) << "a new picture, nothing of the last figure";
        const QImage& colour = puzzle.mBoardSilhouette->Image();
        const QImage& mask = puzzle.mBoardSilhouette->Mask()->Image();
        ASSERT_EQ(colour.size(), QSize(grid.GetWidth() * kCell, grid.GetHeight() * kCell));
        ASSERT_EQ(mask.size(), colour.size());
        for (int y = 0; y < colour.height(); ++y) {
            for (int x = 0; x < colour.width(); ++x) {
                ASSERT_EQ(colour.pixel(x, y) & 0xFFFFFFu, PuzzleClass::kSilhouetteColour);
                const QColor grey(mask.pixel(x, y));
                ASSERT_TRUE(grey.red() == grey.green() && grey.green() == grey.blue());
                ASSERT_GE(grey.red(), kInside) << "never darker than one piece";
                const int code = grid.GetCell(x / kCell, y / kCell);
                const int want = ExpectedMask(code, x % kCell, y % kCell);
                if (want >= 0) {
                    ASSERT_EQ(grey.red(), want) << "pixel " << x << "," << y << " code " << code;
                }
            }
        }
    }
}

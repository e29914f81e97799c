#include "PuzzleTestSupport.h"

#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "platform/Picture.h"

#include <QColor>

namespace {

constexpr int kCell = 10;
constexpr int kInside = 0xD6;
constexpr int kOutside = 0xFF;

// What the silhouette's mask must show at in-cell offset (mx, my) of a cell
// with the given code: kInside, kOutside, or -1 where a soft piece edge may
// leave any grey in between. Offsets next to the cell's border or within a
// pixel of a diagonal count as soft edges.
int Expected(int code, int mx, int my)
{
    if (mx < 1 || my < 1 || mx > kCell - 2 || my > kCell - 2) {
        return -1;
    }
    const int anti = mx + my - (kCell - 1); // <= 0: top-left half
    const int main = mx - my;               // >= 0: top-right half
    switch (code) {
    case SolutionGridClass::kEmpty:
        return kOutside;
    case SolutionGridClass::kTopLeftHalf:
        return anti <= -2 ? kInside : anti >= 2 ? kOutside : -1;
    case SolutionGridClass::kBottomRightHalf:
        return anti >= 2 ? kInside : anti <= -2 ? kOutside : -1;
    case SolutionGridClass::kTopRightHalf:
        return main >= 2 ? kInside : main <= -2 ? kOutside : -1;
    case SolutionGridClass::kBottomLeftHalf:
        return main <= -2 ? kInside : main >= 2 ? kOutside : -1;
    default: // full, possibly two halves meeting on a diagonal
        return std::abs(anti) >= 2 && std::abs(main) >= 2 ? kInside : -1;
    }
}

// Checks every pixel of the silhouette against the puzzle's trimmed grid.
void ExpectSilhouetteMatchesGrid(const PuzzleClass& puzzle)
{
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    const platform::Picture& silhouette = *puzzle.mBoardSilhouette;
    ASSERT_EQ(silhouette.Width(), grid.GetWidth() * kCell);
    ASSERT_EQ(silhouette.Height(), grid.GetHeight() * kCell);
    ASSERT_TRUE(silhouette.HasMask());
    const QImage& colour = silhouette.Image();
    const QImage& mask = puzzle.mBoardSilhouette->Mask()->Image();
    int inside = 0;
    for (int y = 0; y < silhouette.Height(); ++y) {
        for (int x = 0; x < silhouette.Width(); ++x) {
            ASSERT_EQ(colour.pixel(x, y) & 0xFFFFFFu, PuzzleClass::kSilhouetteColour) << x << "," << y;
            const QColor grey(mask.pixel(x, y));
            ASSERT_TRUE(grey.red() == grey.green() && grey.green() == grey.blue()) << x << "," << y;
            ASSERT_GE(grey.red(), kInside) << x << "," << y;
            const int want = Expected(grid.GetCell(x / kCell, y / kCell), x % kCell, y % kCell);
            if (want >= 0) {
                ASSERT_EQ(grey.red(), want) << "pixel " << x << "," << y << " code "
                                            << grid.GetCell(x / kCell, y / kCell);
            }
            inside += grey.red() == kInside ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 0);
}

} // namespace

TEST_F(PuzzleStoreTest, SilhouetteShowsExactlyTheFigureCellForCell)
{
    PuzzleClass puzzle;
    for (int n : {1, 2, 17, 23}) {
        SCOPED_TRACE(n);
        const auto previous = puzzle.mBoardSilhouette;
        puzzle.LoadFromDatabase(n);
        ASSERT_NE(puzzle.mBoardSilhouette, previous) << "every load paints a new picture";
        ExpectSilhouetteMatchesGrid(puzzle);
    }
}

TEST_F(PuzzleStoreTest, SilhouetteStartsAtTheTrimmedGridsFirstCell)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    const platform::Picture& silhouette = *puzzle.mBoardSilhouette;
    EXPECT_EQ(silhouette.Width(), 200);
    EXPECT_EQ(silhouette.Height(), 400);
    // The first large triangle lies at the trimmed offset's corner: its
    // right-angle corner region is the silhouette's (0, 0).
    const QImage& mask = puzzle.mBoardSilhouette->Mask()->Image();
    EXPECT_EQ(QColor(mask.pixel(0, 0)).red(), kInside);
}

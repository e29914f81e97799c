#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array kAllShapes = {PieceShape::LargeTriangle, PieceShape::MediumTriangle,
                                   PieceShape::SmallTriangle, PieceShape::Rhombus, PieceShape::Square};

// Expects the row to hold code over columns from to to and 0 elsewhere,
// except for the single cells listed.
void ExpectRow(const SolutionGridClass& grid, int y, int from, int to, std::vector<std::pair<int, int>> singles)
{
    for (int x = 0; x < grid.GetWidth(); ++x) {
        int expected = (x >= from && x <= to) ? 5 : 0;
        for (const auto& [cx, code] : singles) {
            expected = cx == x ? code : expected;
        }
        EXPECT_EQ(grid.GetCell(x, y), expected) << "cell (" << x << ", " << y << ")";
    }
}

} // namespace

TEST(PiecePatternTest, EveryOrientationCoversTheExpectedCellsAndArea)
{
    // {cells written, area in half cells} for odd and even orientations: a
    // diagonal side cannot keep its length in whole cells.
    const std::array<std::array<std::pair<int, int>, 2>, 5> expected = {{
        {{{210, 392}, {210, 400}}}, // large triangle
        {{{110, 200}, {105, 196}}}, // medium triangle
        {{{56, 98}, {55, 100}}},    // small triangle
        {{{110, 200}, {105, 196}}}, // rhombus
        {{{100, 200}, {112, 196}}}, // square
    }};
    for (PieceShape shape : kAllShapes) {
        for (int o = 1; o <= OrientationCount(shape); ++o) {
            SCOPED_TRACE(ShapeStem(shape).toStdString() + std::to_string(o));
            const auto grid = MakeCellPattern(shape, o);
            ASSERT_EQ(grid->GetWidth(), PatternSize(shape));
            ASSERT_EQ(grid->GetHeight(), PatternSize(shape));
            int cells = 0;
            int halves = 0;
            for (int y = 0; y < PatternSize(shape); ++y) {
                for (int x = 0; x < PatternSize(shape); ++x) {
                    const int code = grid->GetCell(x, y);
                    ASSERT_TRUE(code >= 0 && code <= 5);
                    cells += code != 0 ? 1 : 0;
                    halves += code == 5 ? 2 : (code != 0 ? 1 : 0);
                }
            }
            const auto [wantCells, wantHalves] =
                expected[static_cast<std::size_t>(shape)][static_cast<std::size_t>((o + 1) % 2)];
            EXPECT_EQ(cells, wantCells);
            EXPECT_EQ(halves, wantHalves);
        }
    }
}

TEST(PiecePatternTest, CutCellsTakeTheHalfInsideTheOutline)
{
    const auto large = MakeCellPattern(PieceShape::LargeTriangle, 1);
    ExpectRow(*large, 7, 1, 0, {});
    ExpectRow(*large, 8, 1, 26, {{0, 2}, {27, 1}});
    ExpectRow(*large, 21, 1, 0, {{13, 2}, {14, 1}});
    ExpectRow(*large, 22, 1, 0, {});

    const auto medium = MakeCellPattern(PieceShape::MediumTriangle, 2);
    ExpectRow(*medium, 0, 1, 0, {{6, 3}});
    ExpectRow(*medium, 13, 6, 18, {{19, 3}});
    const auto small = MakeCellPattern(PieceShape::SmallTriangle, 3);
    ExpectRow(*small, 6, 4, 9, {{3, 4}});
    ExpectRow(*small, 7, 4, 9, {{3, 2}});
    const auto rhombus = MakeCellPattern(PieceShape::Rhombus, 3);
    ExpectRow(*rhombus, 6, 11, 19, {{10, 4}, {20, 1}});

    const auto diamond = MakeCellPattern(PieceShape::Square, 2);
    ExpectRow(*diamond, 0, 1, 0, {{6, 4}, {7, 3}});
    ExpectRow(*diamond, 7, 1, 12, {{0, 2}, {13, 1}});
    ExpectRow(*diamond, 13, 1, 0, {{6, 2}, {7, 1}});
    ExpectRow(*MakeCellPattern(PieceShape::Square, 1), 2, 2, 11, {});
}

TEST(PiecePatternTest, TrianglesSharingTheirHypotenuseFillABlockWithoutOverlap)
{
    // Pictures at (40, 40) and (80, 0) pixels: the cut cells along the shared
    // long side take complementary halves.
    SolutionGridClass grid;
    grid.SetGridSize(30, 30);
    grid.AddGrid(4, 4, MakeCellPattern(PieceShape::SmallTriangle, 2));
    grid.AddGrid(8, 0, MakeCellPattern(PieceShape::SmallTriangle, 6));
    EXPECT_FALSE(grid.mHasOverlap);
    grid.TrimEmptyCells();
    SolutionGridClass block;
    block.SetGridSize(10, 10);
    for (int i = 0; i < 100; ++i) {
        block.SetCell(i % 10, i / 10, 5);
    }
    EXPECT_TRUE(grid.DoesMatch(block));
}

TEST(PiecePatternTest, OutOfRangeOrientationsGiveEmptyPatternsAndEachCallANewGrid)
{
    for (PieceShape shape : kAllShapes) {
        for (int o : {0, -1, OrientationCount(shape) + 1}) {
            SolutionGridClass zeros;
            zeros.SetGridSize(PatternSize(shape), PatternSize(shape));
            EXPECT_TRUE(MakeCellPattern(shape, o)->DoesMatch(zeros));
            EXPECT_TRUE(PatternVertices(shape, o).empty());
        }
    }
    const auto first = MakeCellPattern(PieceShape::Rhombus, 2);
    const auto second = MakeCellPattern(PieceShape::Rhombus, 2);
    first->AddGrid(0, 0, *second); // changing one grid must not reach later ones
    EXPECT_TRUE(MakeCellPattern(PieceShape::Rhombus, 2)->DoesMatch(*second));
    EXPECT_FALSE(first->DoesMatch(*second));
}

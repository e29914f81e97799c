#include "model/SolutionGridClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

SolutionGridClass GridOf(int width, int height, int fill = 0)
{
    SolutionGridClass grid;
    grid.SetGridSize(width, height);
    for (int i = 0; i < width * height; ++i) {
        grid.SetCell(i % width, i / width, fill);
    }
    return grid;
}

} // namespace

TEST(SolutionGridTest, CellsOutsideAreIgnoredMatchNeedsTheSameSizeAndCodesAndTrimRecordsEmptyBorders)
{
    SolutionGridClass grid = GridOf(3, 2);
    grid.SetCell(3, 0, 5);
    grid.SetCell(0, -1, 5);
    grid.SetCell(2, 1, 4);
    EXPECT_EQ(grid.GetCell(2, 1), 4);
    for (const auto& [x, y] : {std::pair{1, 2}, std::pair{3, 0}, std::pair{-1, 0}}) {
        EXPECT_EQ(grid.GetCell(x, y), -1) << x << "," << y; // column first, then row
    }
    EXPECT_EQ(SolutionGridClass().GetCell(0, 0), -1);
    EXPECT_EQ(GridOf(-3, 4).GetWidth(), 0);

    EXPECT_FALSE(GridOf(3, 2).DoesMatch(GridOf(2, 3)));
    EXPECT_FALSE(GridOf(3, 2, 1).DoesMatch(GridOf(3, 2, 5)));
    EXPECT_TRUE(SolutionGridClass().DoesMatch(SolutionGridClass()));
    EXPECT_THROW(grid.DoesMatch(SolutionGridPtr()), platform::NilObjectException);

    // Trimming cuts empty borders and records them, also when only the right
    // and bottom ones are empty, and leaves empty grids alone.
    struct TrimCase {
        std::pair<int, int> first, last; // the two covered cells (column, row)
        std::tuple<int, int, int, int> trimmed; // left, right, top, bottom
    };
    for (const TrimCase& c : {TrimCase{{1, 2}, {3, 5}, {1, 1, 2, 0}}, TrimCase{{0, 0}, {2, 3}, {0, 2, 0, 2}}}) {
        grid = GridOf(5, 6);
        grid.SetCell(c.first.first, c.first.second, 5);
        grid.SetCell(c.last.first, c.last.second, 3);
        for (int pass = 0; pass < 2; ++pass) { // a second trim finds nothing more and keeps the counts
            grid.TrimEmptyCells();
            ASSERT_EQ(std::pair(grid.GetWidth(), grid.GetHeight()), std::pair(3, 4));
            EXPECT_EQ(std::tuple(grid.mNumTrimmedLeft, grid.mNumTrimmedRight, grid.mNumTrimmedTop,
                                 grid.mNumTrimmedBottom),
                      c.trimmed);
        }
        EXPECT_EQ(std::pair(grid.GetCell(0, 0), grid.GetCell(2, 3)), std::pair(5, 3));
    }
    for (SolutionGridClass empty : {GridOf(4, 3), SolutionGridClass()}) {
        empty.TrimEmptyCells();
        EXPECT_EQ(empty.GetWidth(), empty.GetHeight() == 3 ? 4 : 0);
    }
}

TEST(SolutionGridTest, AddingSumsCodesFlagsOnlyHalvesCoveredTwiceAndClipsAtRightAndBottom)
{
    // Complementary halves and a full cell on an empty one fit; anything else clashes.
    const int cases[][3] = {{1, 4, 0}, {4, 1, 0}, {2, 3, 0}, {3, 2, 0}, {0, 5, 0}, {5, 0, 0},
                            {1, 1, 1}, {1, 2, 1}, {3, 4, 1}, {4, 4, 1}, {5, 1, 1}, {1, 5, 1}};
    for (const auto& [a, b, clash] : cases) {
        SolutionGridClass grid = GridOf(2, 1);
        grid.SetCell(0, 0, a);
        grid.AddGrid(0, 0, GridOf(1, 1, b));
        EXPECT_EQ(grid.GetCell(0, 0), a + b);
        grid.AddGrid(1, 0, GridOf(1, 1, 5)); // a clean add later keeps the flag
        EXPECT_EQ(grid.mHasOverlap, clash != 0) << a << "+" << b;
        EXPECT_EQ(grid.DoesMatch(GridOf(2, 1, 5)), a + b == 5);
    }
    // A bad offset drops the added grid whole.
    for (const auto& [x, y] : {std::pair{4, 0}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{0, 4}}) {
        SolutionGridClass grid = GridOf(4, 4);
        grid.AddGrid(x, y, GridOf(3, 3, 5));
        EXPECT_TRUE(grid.DoesMatch(GridOf(4, 4))) << x << "," << y;
    }
    // Only the top-left 2 x 2 of the added grid fits; the rest neither lands nor clashes.
    SolutionGridClass grid = GridOf(4, 4);
    grid.AddGrid(2, 2, GridOf(3, 3, 5));
    grid.AddGrid(0, 0, GridOf(2, 4, 5));
    EXPECT_EQ(std::tuple(grid.mHasOverlap, grid.GetCell(3, 3), grid.GetCell(2, 1)), std::tuple(false, 5, 0));

    // A grid added to itself reads its cells as they were before the add.
    SolutionGridClass self = GridOf(3, 1);
    self.SetCell(0, 0, 1);
    self.AddGrid(1, 0, self);
    EXPECT_EQ(std::pair(self.GetCell(1, 0), self.GetCell(2, 0)), std::pair(1, 0));
    EXPECT_THROW(grid.AddGrid(0, 0, SolutionGridPtr()), platform::NilObjectException);
}

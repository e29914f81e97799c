#include "model/SolutionGridClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

namespace {

SolutionGridClass GridOf(int width, int height, int fill = 0)
{
    SolutionGridClass grid;
    grid.SetGridSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            grid.SetCell(x, y, fill);
        }
    }
    return grid;
}

} // namespace

TEST(SolutionGridTest, CellsOutsideTheGridAreIgnoredAndAnswerMinusOne)
{
    SolutionGridClass grid = GridOf(3, 2);
    grid.SetCell(3, 0, 5);
    grid.SetCell(0, -1, 5);
    grid.SetCell(2, 1, 4);
    EXPECT_EQ(grid.GetCell(2, 1), 4);
    EXPECT_EQ(grid.GetCell(1, 2), -1); // column first, then row
    EXPECT_EQ(grid.GetCell(3, 0), -1);
    EXPECT_EQ(grid.GetCell(-1, 0), -1);
    EXPECT_EQ(SolutionGridClass().GetCell(0, 0), -1);
    EXPECT_EQ(GridOf(-3, 4).GetWidth(), 0);
}

TEST(SolutionGridTest, AddingSumsCodesAndFlagsOnlyCoveredPartsMetTwice)
{
    const int fits[][2] = {{1, 4}, {4, 1}, {2, 3}, {3, 2}, {0, 5}, {5, 0}};
    const int clashes[][2] = {{1, 1}, {1, 2}, {3, 4}, {4, 4}, {5, 1}, {1, 5}};
    for (const auto& [a, b] : fits) {
        SolutionGridClass grid = GridOf(1, 1, a);
        grid.AddGrid(0, 0, GridOf(1, 1, b));
        EXPECT_EQ(grid.GetCell(0, 0), 5);
        EXPECT_FALSE(grid.mHasOverlap) << a << "+" << b;
    }
    for (const auto& [a, b] : clashes) {
        SolutionGridClass grid = GridOf(2, 1);
        grid.SetCell(0, 0, a);
        grid.AddGrid(0, 0, GridOf(1, 1, b));
        EXPECT_EQ(grid.GetCell(0, 0), a + b);
        EXPECT_TRUE(grid.mHasOverlap) << a << "+" << b;
        grid.AddGrid(1, 0, GridOf(1, 1, 5)); // a clean add later keeps the flag
        EXPECT_TRUE(grid.mHasOverlap);
    }
}

TEST(SolutionGridTest, AddGridDropsBadOffsetsWholeAndClipsAtRightAndBottom)
{
    for (const auto& [x, y] : {std::pair{4, 0}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{0, 4}}) {
        SolutionGridClass grid = GridOf(4, 4);
        grid.AddGrid(x, y, GridOf(3, 3, 5));
        EXPECT_TRUE(grid.DoesMatch(GridOf(4, 4))) << x << "," << y;
    }
    // Only the top-left 2 x 2 of the added grid fits; the rest is left out
    // without touching the flag.
    SolutionGridClass grid = GridOf(4, 4, 5);
    grid.AddGrid(2, 2, GridOf(3, 3, 0));
    grid.AddGrid(2, 2, GridOf(3, 3, 0));
    EXPECT_FALSE(grid.mHasOverlap);
    SolutionGridClass clipped = GridOf(4, 4);
    clipped.AddGrid(2, 2, GridOf(3, 3, 5));
    EXPECT_EQ(clipped.GetCell(3, 3), 5);
    EXPECT_EQ(clipped.GetCell(1, 3), 0);

    // A grid added to itself reads its cells as they were before the add.
    SolutionGridClass self = GridOf(3, 1);
    self.SetCell(0, 0, 1);
    self.AddGrid(1, 0, self);
    EXPECT_EQ(self.GetCell(1, 0), 1);
    EXPECT_EQ(self.GetCell(2, 0), 0);
    EXPECT_THROW(grid.AddGrid(0, 0, SolutionGridPtr()), platform::NilObjectException);
}

TEST(SolutionGridTest, TrimCutsEmptyBordersRecordsThemAndLeavesEmptyGridsAlone)
{
    SolutionGridClass grid = GridOf(5, 6);
    grid.SetCell(1, 2, 5);
    grid.SetCell(3, 5, 3);
    grid.TrimEmptyCells();
    ASSERT_EQ(grid.GetWidth(), 3);
    ASSERT_EQ(grid.GetHeight(), 4);
    EXPECT_EQ(grid.mNumTrimmedLeft, 1);
    EXPECT_EQ(grid.mNumTrimmedRight, 1);
    EXPECT_EQ(grid.mNumTrimmedTop, 2);
    EXPECT_EQ(grid.mNumTrimmedBottom, 0);
    EXPECT_EQ(grid.GetCell(0, 0), 5);
    EXPECT_EQ(grid.GetCell(2, 3), 3);
    grid.TrimEmptyCells(); // nothing more to cut: the counts stay
    EXPECT_EQ(grid.mNumTrimmedTop, 2);

    SolutionGridClass zeros = GridOf(4, 3);
    zeros.TrimEmptyCells();
    EXPECT_EQ(zeros.GetWidth(), 4);
    SolutionGridClass none;
    none.TrimEmptyCells();
    EXPECT_EQ(none.GetHeight(), 0);
}

TEST(SolutionGridTest, MatchNeedsTheSameSizeAndTheSameCodes)
{
    EXPECT_FALSE(GridOf(3, 2).DoesMatch(GridOf(2, 3)));
    EXPECT_TRUE(SolutionGridClass().DoesMatch(SolutionGridClass()));
    SolutionGridClass halves = GridOf(3, 2, 1);
    EXPECT_FALSE(halves.DoesMatch(GridOf(3, 2, 5)));
    halves.AddGrid(0, 0, GridOf(3, 2, 4));
    EXPECT_TRUE(halves.DoesMatch(GridOf(3, 2, 5)));
    EXPECT_THROW(halves.DoesMatch(SolutionGridPtr()), platform::NilObjectException);
}

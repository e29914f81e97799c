#include "model/SolutionGridClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

namespace {

SolutionGridClass GridOf(int width, int height)
{
    SolutionGridClass grid;
    grid.SetGridSize(width, height);
    return grid;
}

SolutionGridClass OneCell(int code)
{
    SolutionGridClass grid = GridOf(1, 1);
    grid.SetCell(0, 0, code);
    return grid;
}

} // namespace

TEST(SolutionGridTest, CellsOutsideTheGridAreIgnoredAndAnswerMinusOne)
{
    SolutionGridClass empty;
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_EQ(empty.GetCell(0, 0), -1);
    empty.SetCell(0, 0, 5);
    EXPECT_EQ(empty.GetCell(0, 0), -1);

    SolutionGridClass grid = GridOf(3, 2);
    EXPECT_EQ(grid.GetWidth(), 3);
    EXPECT_EQ(grid.GetHeight(), 2);
    EXPECT_EQ(grid.GetCell(2, 1), 0);
    EXPECT_EQ(grid.GetCell(3, 0), -1);
    EXPECT_EQ(grid.GetCell(0, 2), -1);
    EXPECT_EQ(grid.GetCell(-1, 0), -1);
    grid.SetCell(3, 0, 5);
    grid.SetCell(0, -1, 5);
    grid.SetCell(2, 1, 4);
    EXPECT_EQ(grid.GetCell(2, 1), 4);
    EXPECT_EQ(grid.GetCell(0, 0), 0);
    // Cells are indexed column then row: (2, 1) is not (1, 2).
    EXPECT_EQ(grid.GetCell(1, 0), 0);

    SolutionGridClass negative = GridOf(-3, 4);
    EXPECT_EQ(negative.GetWidth(), 0);
    EXPECT_EQ(negative.GetHeight(), 0);
}

TEST(SolutionGridTest, AddingComplementaryHalvesFillsACellWithoutOverlap)
{
    const int pairs[][2] = {{1, 4}, {4, 1}, {2, 3}, {3, 2}, {0, 5}, {5, 0}};
    for (const auto& pair : pairs) {
        SolutionGridClass grid = OneCell(pair[0]);
        grid.AddGrid(0, 0, OneCell(pair[1]));
        EXPECT_EQ(grid.GetCell(0, 0), 5) << pair[0] << "+" << pair[1];
        EXPECT_FALSE(grid.mHasOverlap) << pair[0] << "+" << pair[1];
    }
}

TEST(SolutionGridTest, AddingCoveredPartsTwiceSetsOverlapForGood)
{
    const int overlapping[][2] = {{1, 1}, {1, 2}, {2, 2}, {3, 4}, {4, 4}, {5, 1}, {1, 5}, {5, 5}};
    for (const auto& pair : overlapping) {
        SolutionGridClass grid = OneCell(pair[0]);
        grid.AddGrid(0, 0, OneCell(pair[1]));
        EXPECT_EQ(grid.GetCell(0, 0), pair[0] + pair[1]);
        EXPECT_TRUE(grid.mHasOverlap) << pair[0] << "+" << pair[1];
    }

    SolutionGridClass grid = GridOf(2, 1);
    grid.AddGrid(0, 0, OneCell(5));
    grid.AddGrid(0, 0, OneCell(5));
    ASSERT_TRUE(grid.mHasOverlap);
    grid.AddGrid(1, 0, OneCell(5));
    EXPECT_TRUE(grid.mHasOverlap);
}

TEST(SolutionGridTest, AddGridDropsBadOffsetsAndClipsAtRightAndBottom)
{
    SolutionGridClass full = GridOf(3, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            full.SetCell(x, y, 5);
        }
    }

    for (const auto& offset : {std::pair{4, 0}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{0, 4}}) {
        SolutionGridClass grid = GridOf(4, 4);
        grid.SetCell(0, 0, 5);
        grid.AddGrid(offset.first, offset.second, full);
        int total = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                total += grid.GetCell(x, y);
            }
        }
        EXPECT_EQ(total, 5) << offset.first << "," << offset.second;
        EXPECT_FALSE(grid.mHasOverlap);
    }

    // Offset width - 2: only the first two columns fit; the dropped column
    // would have overlapped nothing anyway, and must not set the flag.
    SolutionGridClass grid = GridOf(4, 4);
    grid.AddGrid(2, 2, full);
    EXPECT_EQ(grid.GetCell(2, 2), 5);
    EXPECT_EQ(grid.GetCell(3, 3), 5);
    EXPECT_EQ(grid.GetCell(1, 1), 0);
    EXPECT_FALSE(grid.mHasOverlap);

    // A grid added to itself reads its cells as they were before the add.
    SolutionGridClass self = GridOf(3, 1);
    self.SetCell(0, 0, 1);
    self.AddGrid(1, 0, self);
    EXPECT_EQ(self.GetCell(1, 0), 1);
    EXPECT_EQ(self.GetCell(2, 0), 0);

    EXPECT_THROW(grid.AddGrid(0, 0, std::shared_ptr<SolutionGridClass>()), platform::NilObjectException);
}

TEST(SolutionGridTest, TrimRemovesEmptyBordersAndCountsThem)
{
    SolutionGridClass grid = GridOf(5, 4);
    grid.SetCell(1, 1, 5);
    grid.SetCell(3, 2, 3);
    grid.TrimEmptyCells();
    EXPECT_EQ(grid.GetWidth(), 3);
    EXPECT_EQ(grid.GetHeight(), 2);
    EXPECT_EQ(grid.mNumTrimmedLeft, 1);
    EXPECT_EQ(grid.mNumTrimmedRight, 1);
    EXPECT_EQ(grid.mNumTrimmedTop, 1);
    EXPECT_EQ(grid.mNumTrimmedBottom, 1);
    EXPECT_EQ(grid.GetCell(0, 0), 5);
    EXPECT_EQ(grid.GetCell(2, 1), 3);

    // Uneven borders: two rows off the top, none off the bottom.
    SolutionGridClass uneven = GridOf(4, 5);
    uneven.SetCell(3, 2, 2);
    uneven.SetCell(2, 4, 5);
    uneven.TrimEmptyCells();
    EXPECT_EQ(uneven.mNumTrimmedTop, 2);
    EXPECT_EQ(uneven.mNumTrimmedBottom, 0);
    EXPECT_EQ(uneven.mNumTrimmedLeft, 2);
    EXPECT_EQ(uneven.mNumTrimmedRight, 0);
    EXPECT_EQ(uneven.GetWidth(), 2);
    EXPECT_EQ(uneven.GetHeight(), 3);
    EXPECT_EQ(uneven.GetCell(1, 0), 2);
    EXPECT_EQ(uneven.GetCell(0, 2), 5);

    // Trimming again finds nothing more and keeps the counts of the first trim.
    grid.TrimEmptyCells();
    EXPECT_EQ(grid.mNumTrimmedLeft, 1);
    EXPECT_EQ(grid.GetWidth(), 3);
}

TEST(SolutionGridTest, TrimLeavesGridsWithoutAFigureAlone)
{
    SolutionGridClass zeros = GridOf(4, 3);
    zeros.TrimEmptyCells();
    EXPECT_EQ(zeros.GetWidth(), 4);
    EXPECT_EQ(zeros.GetHeight(), 3);
    EXPECT_EQ(zeros.mNumTrimmedTop, 0);

    SolutionGridClass none;
    none.TrimEmptyCells();
    EXPECT_EQ(none.GetWidth(), 0);
}

TEST(SolutionGridTest, MatchNeedsTheSameSizeAndTheSameCodes)
{
    EXPECT_FALSE(GridOf(3, 2).DoesMatch(GridOf(2, 3)));
    EXPECT_TRUE(GridOf(3, 2).DoesMatch(GridOf(3, 2)));
    EXPECT_TRUE(SolutionGridClass().DoesMatch(SolutionGridClass()));

    SolutionGridClass a = GridOf(3, 2);
    SolutionGridClass b = GridOf(3, 2);
    a.SetCell(2, 1, 5);
    EXPECT_FALSE(a.DoesMatch(b));
    // Two complementary halves compare equal to one full cell.
    b.SetCell(2, 1, 1);
    b.AddGrid(2, 1, OneCell(4));
    EXPECT_TRUE(a.DoesMatch(b));
    EXPECT_THROW(a.DoesMatch(std::shared_ptr<SolutionGridClass>()), platform::NilObjectException);
}

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

constexpr std::array kAllShapes = {PieceShape::LargeTriangle, PieceShape::MediumTriangle,
                                   PieceShape::SmallTriangle, PieceShape::Rhombus, PieceShape::Square};

struct Expected {
    PieceShape shape;
    int orientation;
    int cells;
    int halfCells; // area in half cells, so that it stays whole
};

// Cells written and area for every orientation; the odd and even turns of a
// triangle differ because a diagonal side cannot keep its length in cells.
std::vector<Expected> ExpectedCounts()
{
    std::vector<Expected> all;
    const auto add = [&](PieceShape shape, std::vector<int> orientations, int cells, int area2) {
        for (int o : orientations) {
            all.push_back({shape, o, cells, area2});
        }
    };
    add(PieceShape::LargeTriangle, {1, 3, 5, 7}, 210, 392);
    add(PieceShape::LargeTriangle, {2, 4, 6, 8}, 210, 400);
    add(PieceShape::MediumTriangle, {1, 3, 5, 7}, 110, 200);
    add(PieceShape::MediumTriangle, {2, 4, 6, 8}, 105, 196);
    add(PieceShape::SmallTriangle, {1, 3, 5, 7}, 56, 98);
    add(PieceShape::SmallTriangle, {2, 4, 6, 8}, 55, 100);
    add(PieceShape::Rhombus, {1, 3}, 110, 200);
    add(PieceShape::Rhombus, {2, 4}, 105, 196);
    add(PieceShape::Square, {1}, 100, 200);
    add(PieceShape::Square, {2}, 112, 196);
    return all;
}

// Expects the given cells of one row and 0 everywhere else in it.
void ExpectRow(const SolutionGridClass& grid, int y, std::vector<std::pair<int, int>> cells)
{
    for (int x = 0; x < grid.GetWidth(); ++x) {
        int expected = 0;
        for (const auto& [cx, code] : cells) {
            if (cx == x) {
                expected = code;
            }
        }
        EXPECT_EQ(grid.GetCell(x, y), expected) << "cell (" << x << ", " << y << ")";
    }
}

std::vector<std::pair<int, int>> Span(int from, int to, int code)
{
    std::vector<std::pair<int, int>> cells;
    for (int x = from; x <= to; ++x) {
        cells.emplace_back(x, code);
    }
    return cells;
}

std::vector<std::pair<int, int>> operator+(std::vector<std::pair<int, int>> a,
                                           const std::vector<std::pair<int, int>>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(PiecePatternTest, EveryOrientationCoversTheExpectedCellsAndArea)
{
    const auto expected = ExpectedCounts();
    int orientationsSeen = 0;
    for (PieceShape shape : kAllShapes) {
        orientationsSeen += OrientationCount(shape);
    }
    ASSERT_EQ(static_cast<int>(expected.size()), orientationsSeen);

    for (const Expected& e : expected) {
        const auto grid = MakeCellPattern(e.shape, e.orientation);
        ASSERT_TRUE(grid);
        const int size = PatternSize(e.shape);
        ASSERT_EQ(grid->GetWidth(), size);
        ASSERT_EQ(grid->GetHeight(), size);
        int cells = 0;
        int halfCells = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int code = grid->GetCell(x, y);
                ASSERT_GE(code, 0);
                ASSERT_LE(code, 5);
                if (code != 0) {
                    ++cells;
                    halfCells += code == 5 ? 2 : 1;
                }
            }
        }
        EXPECT_EQ(cells, e.cells) << ShapeStem(e.shape).toStdString() << e.orientation;
        EXPECT_EQ(halfCells, e.halfCells) << ShapeStem(e.shape).toStdString() << e.orientation;
    }
}

TEST(PiecePatternTest, SizesNamesAndOutlinesPerShape)
{
    EXPECT_EQ(PatternSize(PieceShape::LargeTriangle), 28);
    EXPECT_EQ(PatternSize(PieceShape::MediumTriangle), 20);
    EXPECT_EQ(PatternSize(PieceShape::SmallTriangle), 14);
    EXPECT_EQ(PatternSize(PieceShape::Rhombus), 21);
    EXPECT_EQ(PatternSize(PieceShape::Square), 14);
    EXPECT_EQ(OrientationCount(PieceShape::Rhombus), 4);
    EXPECT_EQ(OrientationCount(PieceShape::Square), 2);
    EXPECT_EQ(ShapeStem(PieceShape::MediumTriangle), QStringLiteral("mediumtriangle"));

    for (PieceShape shape : kAllShapes) {
        const int last = OrientationCount(shape);
        EXPECT_TRUE(PatternVertices(shape, 0).empty());
        EXPECT_TRUE(PatternVertices(shape, last + 1).empty());
        for (int o = 1; o <= last; ++o) {
            const auto vertices = PatternVertices(shape, o);
            ASSERT_GE(vertices.size(), 3u);
            for (const QPoint& v : vertices) {
                EXPECT_GE(v.x(), 0);
                EXPECT_LE(v.x(), PatternSize(shape));
                EXPECT_GE(v.y(), 0);
                EXPECT_LE(v.y(), PatternSize(shape));
            }
        }
    }
    EXPECT_EQ(PatternVertices(PieceShape::Rhombus, 3),
              (std::vector<QPoint>{{1, 16}, {11, 6}, {21, 6}, {11, 16}}));
}

TEST(PiecePatternTest, WorkedRowsOfEachShape)
{
    const auto large = MakeCellPattern(PieceShape::LargeTriangle, 1);
    for (int y : {0, 7, 22, 27}) {
        ExpectRow(*large, y, {});
    }
    ExpectRow(*large, 8, std::vector<std::pair<int, int>>{{0, 2}, {27, 1}} + Span(1, 26, 5));
    ExpectRow(*large, 21, {{13, 2}, {14, 1}});

    const auto medium = MakeCellPattern(PieceShape::MediumTriangle, 2);
    ExpectRow(*medium, 0, {{6, 3}});
    ExpectRow(*medium, 5, Span(6, 10, 5) + std::vector<std::pair<int, int>>{{11, 3}});
    ExpectRow(*medium, 13, Span(6, 18, 5) + std::vector<std::pair<int, int>>{{19, 3}});
    ExpectRow(*medium, 14, {});
    ExpectRow(*medium, 19, {});

    const auto small = MakeCellPattern(PieceShape::SmallTriangle, 3);
    ExpectRow(*small, 6, std::vector<std::pair<int, int>>{{3, 4}} + Span(4, 9, 5));
    ExpectRow(*small, 7, std::vector<std::pair<int, int>>{{3, 2}} + Span(4, 9, 5));
    ExpectRow(*small, 13, {{9, 2}});

    const auto rhombus = MakeCellPattern(PieceShape::Rhombus, 1);
    ExpectRow(*rhombus, 9, Span(5, 13, 5) + std::vector<std::pair<int, int>>{{14, 3}});
    ExpectRow(*rhombus, 10, std::vector<std::pair<int, int>>{{5, 2}} + Span(6, 14, 5));
    ExpectRow(*rhombus, 19, {{14, 2}});
    ExpectRow(*rhombus, 20, {});
    const auto rhombus3 = MakeCellPattern(PieceShape::Rhombus, 3);
    ExpectRow(*rhombus3, 6, std::vector<std::pair<int, int>>{{10, 4}, {20, 1}} + Span(11, 19, 5));

    const auto diamond = MakeCellPattern(PieceShape::Square, 2);
    ExpectRow(*diamond, 0, {{6, 4}, {7, 3}});
    ExpectRow(*diamond, 7, std::vector<std::pair<int, int>>{{0, 2}, {13, 1}} + Span(1, 12, 5));
    ExpectRow(*diamond, 13, {{6, 2}, {7, 1}});

    const auto upright = MakeCellPattern(PieceShape::Square, 1);
    ExpectRow(*upright, 1, {});
    ExpectRow(*upright, 2, Span(2, 11, 5));
    ExpectRow(*upright, 12, {});
}

TEST(PiecePatternTest, TrianglesMeetingOnTheirHypotenuseFillABlockWithoutOverlap)
{
    // One small triangle with its picture at (X, Y) = (40, 40) pixels, the
    // other turned half way round at (X + 40, Y - 40): the cut cells along the
    // shared hypotenuse take complementary halves.
    SolutionGridClass grid;
    grid.SetGridSize(30, 30);
    grid.AddGrid(4, 4, MakeCellPattern(PieceShape::SmallTriangle, 2));
    grid.AddGrid(8, 0, MakeCellPattern(PieceShape::SmallTriangle, 6));
    EXPECT_FALSE(grid.mHasOverlap);
    grid.TrimEmptyCells();
    ASSERT_EQ(grid.GetWidth(), 10);
    ASSERT_EQ(grid.GetHeight(), 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(grid.GetCell(x, y), 5) << x << "," << y;
        }
    }
}

TEST(PiecePatternTest, OutOfRangeOrientationsGiveAnEmptyPatternOfFullSize)
{
    for (PieceShape shape : kAllShapes) {
        for (int o : {0, -1, OrientationCount(shape) + 1, 100}) {
            const auto grid = MakeCellPattern(shape, o);
            ASSERT_EQ(grid->GetWidth(), PatternSize(shape));
            ASSERT_EQ(grid->GetHeight(), PatternSize(shape));
            SolutionGridClass zeros;
            zeros.SetGridSize(PatternSize(shape), PatternSize(shape));
            EXPECT_TRUE(grid->DoesMatch(zeros));
        }
    }
}

TEST(PiecePatternTest, EachCallGivesItsOwnGrid)
{
    const auto first = MakeCellPattern(PieceShape::Rhombus, 2);
    const auto second = MakeCellPattern(PieceShape::Rhombus, 2);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->DoesMatch(*second));
    first->SetCell(10, 10, 0);
    first->AddGrid(0, 0, *second);
    EXPECT_TRUE(MakeCellPattern(PieceShape::Rhombus, 2)->DoesMatch(*second));
}

TEST(PiecePatternTest, ShapesTouchTheirGridBordersWhereExpected)
{
    // Large triangle 1 spans columns 0 to 27, turned to 3 it spans rows 0 to 27.
    auto large1 = MakeCellPattern(PieceShape::LargeTriangle, 1);
    large1->TrimEmptyCells();
    EXPECT_EQ(large1->GetWidth(), 28);
    EXPECT_EQ(large1->mNumTrimmedTop, 8);
    auto large3 = MakeCellPattern(PieceShape::LargeTriangle, 3);
    large3->TrimEmptyCells();
    EXPECT_EQ(large3->GetHeight(), 28);

    auto diamond = MakeCellPattern(PieceShape::Square, 2);
    diamond->TrimEmptyCells();
    EXPECT_EQ(diamond->GetWidth(), 14);
    EXPECT_EQ(diamond->GetHeight(), 14);
    auto upright = MakeCellPattern(PieceShape::Square, 1);
    upright->TrimEmptyCells();
    EXPECT_EQ(upright->mNumTrimmedLeft, 2);
    EXPECT_EQ(upright->mNumTrimmedRight, 2);
    EXPECT_EQ(upright->mNumTrimmedTop, 2);
    EXPECT_EQ(upright->mNumTrimmedBottom, 2);
}

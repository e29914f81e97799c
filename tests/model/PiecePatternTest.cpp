#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::array kAllShapes = {PieceShape::LargeTriangle, PieceShape::MediumTriangle,
                                   PieceShape::SmallTriangle, PieceShape::Rhombus, PieceShape::Square};

// Each shape's outline per orientation, in cell units, as the game's
// drawings give them (x to the right, y downward).
using Outline = std::vector<std::pair<int, int>>;
const std::vector<std::vector<Outline>> kOutlines = {
    {{{0, 8}, {28, 8}, {14, 22}}, {{8, 0}, {28, 20}, {8, 20}}, {{6, 14}, {20, 0}, {20, 28}},
     {{8, 8}, {28, 8}, {8, 28}}, {{0, 20}, {14, 6}, {28, 20}}, {{0, 8}, {20, 8}, {20, 28}},
     {{8, 0}, {22, 14}, {8, 28}}, {{0, 20}, {20, 0}, {20, 20}}},
    {{{0, 6}, {20, 6}, {10, 16}}, {{6, 0}, {20, 14}, {6, 14}}, {{4, 10}, {14, 0}, {14, 20}},
     {{6, 6}, {20, 6}, {6, 20}}, {{0, 14}, {10, 4}, {20, 14}}, {{0, 6}, {14, 6}, {14, 20}},
     {{6, 0}, {16, 10}, {6, 20}}, {{0, 14}, {14, 0}, {14, 14}}},
    {{{0, 4}, {14, 4}, {7, 11}}, {{4, 0}, {14, 10}, {4, 10}}, {{3, 7}, {10, 0}, {10, 14}},
     {{4, 4}, {14, 4}, {4, 14}}, {{0, 10}, {7, 3}, {14, 10}}, {{0, 4}, {10, 4}, {10, 14}},
     {{4, 0}, {11, 7}, {4, 14}}, {{0, 10}, {10, 0}, {10, 10}}},
    {{{5, 0}, {15, 10}, {15, 20}, {5, 10}}, {{7, 7}, {14, 0}, {14, 14}, {7, 21}},
     {{1, 16}, {11, 6}, {21, 6}, {11, 16}}, {{0, 7}, {14, 7}, {21, 14}, {7, 14}}},
    {{{2, 2}, {12, 2}, {12, 12}, {2, 12}}, {{0, 7}, {7, 0}, {14, 7}, {7, 14}}},
};

// Strictly inside the convex outline (the sample points never lie on it).
bool Inside(const Outline& outline, double x, double y)
{
    int sides = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto [ax, ay] = outline[i];
        const auto [bx, by] = outline[(i + 1) % outline.size()];
        sides += (bx - ax) * (y - ay) - (by - ay) * (x - ax) > 0 ? 1 : -1;
    }
    return std::abs(sides) == static_cast<int>(outline.size());
}

// The cell code from which of the cell's four quarters (cut by both its
// diagonals) lie inside: a full cell, a half along a diagonal, or nothing.
int CodeOf(const Outline& outline, int cx, int cy)
{
    const bool top = Inside(outline, cx + 0.5, cy + 0.15);
    const bool bottom = Inside(outline, cx + 0.5, cy + 0.85);
    const bool left = Inside(outline, cx + 0.15, cy + 0.5);
    const bool right = Inside(outline, cx + 0.85, cy + 0.5);
    const int quarters = top + bottom + left + right;
    if (quarters != 2) {
        return quarters == 4 ? 5 : (quarters == 0 ? 0 : -1);
    }
    return top && left ? 1 : top && right ? 2 : bottom && left ? 3 : bottom && right ? 4 : -1;
}

// Rows written out by hand: every cell from `first` on as listed, the rest 0.
struct Row {
    PieceShape shape;
    int orientation, row, first;
    const char* codes;
};
const Row kRows[] = {
    {PieceShape::LargeTriangle, 1, 8, 0, "2555555555555555555555555551"}, {PieceShape::LargeTriangle, 1, 21, 13, "21"},
    {PieceShape::LargeTriangle, 1, 22, 0, ""},         {PieceShape::MediumTriangle, 2, 0, 6, "3"},
    {PieceShape::MediumTriangle, 2, 5, 6, "555553"},   {PieceShape::MediumTriangle, 2, 13, 6, "55555555555553"},
    {PieceShape::SmallTriangle, 3, 6, 3, "4555555"},   {PieceShape::SmallTriangle, 3, 13, 9, "2"},
    {PieceShape::Rhombus, 1, 9, 5, "5555555553"},      {PieceShape::Rhombus, 1, 19, 14, "2"},
    {PieceShape::Rhombus, 3, 6, 10, "45555555551"},    {PieceShape::Square, 2, 0, 6, "43"},
    {PieceShape::Square, 2, 7, 0, "25555555555551"},   {PieceShape::Square, 2, 13, 6, "21"},
};

} // namespace

// Out of range an orientation has no outline and an empty pattern.
TEST(PiecePatternTest, EveryCellFollowsTheOutlineAndTheWrittenRows)
{
    for (PieceShape shape : kAllShapes) {
        const auto& outlines = kOutlines[static_cast<std::size_t>(shape)];
        const int count = OrientationCount(shape);
        ASSERT_EQ(count, static_cast<int>(outlines.size()));
        for (int o = -1; o <= count + 1; ++o) {
            SCOPED_TRACE(ShapeStem(shape).toStdString() + std::to_string(o));
            const bool inRange = o >= 1 && o <= count;
            EXPECT_EQ(PatternVertices(shape, o).empty(), !inRange);
            const auto grid = MakeCellPattern(shape, o);
            ASSERT_EQ(std::pair(grid->GetWidth(), grid->GetHeight()),
                      std::pair(PatternSize(shape), PatternSize(shape)));
            for (int y = 0; y < PatternSize(shape); ++y) {
                for (int x = 0; x < PatternSize(shape); ++x) {
                    const int expected = inRange ? CodeOf(outlines[static_cast<std::size_t>(o - 1)], x, y) : 0;
                    ASSERT_EQ(grid->GetCell(x, y), expected) << "cell " << x << "," << y;
                }
            }
        }
    }
    for (const Row& r : kRows) {
        const auto grid = MakeCellPattern(r.shape, r.orientation);
        std::string shown;
        for (int x = 0; x < PatternSize(r.shape); ++x) {
            shown += static_cast<char>('0' + grid->GetCell(x, r.row));
        }
        std::string expected(static_cast<std::size_t>(PatternSize(r.shape)), '0');
        expected.replace(static_cast<std::size_t>(r.first), std::string(r.codes).size(), r.codes);
        EXPECT_EQ(shown, expected) << ShapeStem(r.shape).toStdString() << r.orientation << " row " << r.row;
    }
    // Each call makes a new grid: changing one must not reach later patterns.
    const auto first = MakeCellPattern(PieceShape::Rhombus, 2);
    first->AddGrid(0, 0, MakeCellPattern(PieceShape::Rhombus, 2));
    EXPECT_FALSE(MakeCellPattern(PieceShape::Rhombus, 2)->DoesMatch(*first));
}

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

constexpr std::array kAllShapes = {PieceShape::LargeTriangle, PieceShape::MediumTriangle,
                                   PieceShape::SmallTriangle, PieceShape::Rhombus, PieceShape::Square};

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
            ASSERT_EQ(std::pair(grid->GetWidth(), grid->GetHeight()),
                      std::pair(PatternSize(shape), PatternSize(shape)));
            std::pair<int, int> found{0, 0};
            for (int i = 0; i < PatternSize(shape) * PatternSize(shape); ++i) {
                const int code = grid->GetCell(i % PatternSize(shape), i / PatternSize(shape));
                ASSERT_TRUE(code >= 0 && code <= 5);
                found.first += code != 0 ? 1 : 0;
                found.second += code == 5 ? 2 : (code != 0 ? 1 : 0);
            }
            EXPECT_EQ(found, expected[static_cast<std::size_t>(shape)][static_cast<std::size_t>((o + 1) % 2)]);
        }
    }
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
    first->AddGrid(0, 0, MakeCellPattern(PieceShape::Rhombus, 2)); // must not reach later patterns
    EXPECT_FALSE(MakeCellPattern(PieceShape::Rhombus, 2)->DoesMatch(*first));
}

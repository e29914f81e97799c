#include "ModelTestSupport.h"

#include "model/PiecePattern.h"

#include <string>

namespace {

using enum PieceShape;

// Rows written out by hand: every cell from `first` on as listed, the rest 0.
struct Row {
    PieceShape shape;
    int orientation, row, first;
    const char* codes;
};
const Row kRows[] = {
    {LargeTriangle, 1, 8, 0, "2555555555555555555555555551"}, {LargeTriangle, 1, 21, 13, "21"},
    {LargeTriangle, 1, 22, 0, ""}, {LargeTriangle, 2, 0, 8, "3"}, {LargeTriangle, 2, 19, 8, "55555555555555555553"},
    {LargeTriangle, 2, 20, 0, ""}, {LargeTriangle, 3, 0, 19, "4"}, {LargeTriangle, 3, 13, 6, "45555555555555"},
    {LargeTriangle, 3, 14, 6, "25555555555555"}, {LargeTriangle, 3, 27, 19, "2"}, {LargeTriangle, 4, 7, 0, ""},
    {LargeTriangle, 4, 8, 8, "55555555555555555551"}, {LargeTriangle, 4, 27, 8, "1"}, {LargeTriangle, 5, 6, 13, "43"},
    {LargeTriangle, 5, 19, 0, "4555555555555555555555555553"}, {LargeTriangle, 6, 8, 0, "25555555555555555555"},
    {LargeTriangle, 6, 27, 19, "2"}, {LargeTriangle, 7, 0, 8, "3"}, {LargeTriangle, 7, 13, 8, "55555555555553"},
    {LargeTriangle, 7, 14, 8, "55555555555551"}, {LargeTriangle, 7, 27, 8, "1"}, {LargeTriangle, 8, 0, 19, "4"},
    {LargeTriangle, 8, 19, 0, "45555555555555555555"}, {MediumTriangle, 1, 6, 0, "25555555555555555551"},
    {MediumTriangle, 3, 0, 13, "4"}, {MediumTriangle, 3, 10, 4, "2555555555"},
    {MediumTriangle, 4, 6, 6, "55555555555551"}, {MediumTriangle, 6, 6, 0, "25555555555555"},
    {MediumTriangle, 8, 13, 0, "45555555555555"}, {SmallTriangle, 2, 9, 4, "5555555553"},
    {SmallTriangle, 4, 4, 4, "5555555551"}, {SmallTriangle, 5, 3, 6, "43"}, {SmallTriangle, 6, 4, 0, "2555555555"},
    {SmallTriangle, 7, 6, 4, "5555553"}, {SmallTriangle, 7, 7, 4, "5555551"}, {MediumTriangle, 2, 0, 6, "3"},
    {MediumTriangle, 2, 5, 6, "555553"}, {MediumTriangle, 2, 13, 6, "55555555555553"}, {MediumTriangle, 2, 14, 0, ""},
    {MediumTriangle, 5, 4, 9, "43"}, {MediumTriangle, 5, 13, 0, "45555555555555555553"},
    {MediumTriangle, 7, 9, 6, "5555555553"}, {MediumTriangle, 7, 10, 6, "5555555551"}, {MediumTriangle, 7, 19, 6, "1"},
    {SmallTriangle, 1, 4, 0, "25555555555551"}, {SmallTriangle, 1, 10, 6, "21"}, {SmallTriangle, 1, 11, 0, ""},
    {SmallTriangle, 3, 6, 3, "4555555"}, {SmallTriangle, 3, 7, 3, "2555555"}, {SmallTriangle, 3, 13, 9, "2"},
    {SmallTriangle, 8, 0, 9, "4"}, {SmallTriangle, 8, 9, 0, "4555555555"}, {Rhombus, 1, 9, 5, "5555555553"},
    {Rhombus, 1, 10, 5, "2555555555"}, {Rhombus, 1, 19, 14, "2"}, {Rhombus, 1, 20, 0, ""}, {Rhombus, 2, 0, 13, "4"},
    {Rhombus, 2, 6, 7, "4555555"}, {Rhombus, 2, 14, 7, "5555551"}, {Rhombus, 2, 20, 7, "1"},
    {Rhombus, 3, 6, 10, "45555555551"}, {Rhombus, 4, 7, 0, "255555555555553"}, {Rhombus, 4, 13, 6, "255555555555553"},
    {Square, 1, 1, 0, ""}, {Square, 1, 2, 2, "5555555555"}, {Square, 1, 11, 2, "5555555555"}, {Square, 1, 12, 0, ""},
    {Square, 2, 0, 6, "43"}, {Square, 2, 7, 0, "25555555555551"}, {Square, 2, 13, 6, "21"},
};

// How many cells each orientation writes and its area in half cells, odd
// orientations first: a diagonal side cannot keep its straight length in
// whole cells, so the two differ.
struct Size {
    PieceShape shape;
    std::pair<int, int> odd, even;
};
const Size kSizes[] = {
    {LargeTriangle, {210, 392}, {210, 400}}, {MediumTriangle, {110, 200}, {105, 196}},
    {SmallTriangle, {56, 98}, {55, 100}},    {Rhombus, {110, 200}, {105, 196}},
    {Square, {100, 200}, {112, 196}},
};

} // namespace

// Out of range an orientation has no outline and an empty pattern.
TEST(PiecePatternTest, PatternsHaveTheWrittenRowsSizesAndEmptyOutOfRange)
{
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
    for (const Size& size : kSizes) {
        const int side = PatternSize(size.shape);
        const int count = OrientationCount(size.shape);
        for (int o = -1; o <= count + 1; ++o) {
            SCOPED_TRACE(ShapeStem(size.shape).toStdString() + std::to_string(o));
            const bool inRange = o >= 1 && o <= count;
            EXPECT_EQ(PatternVertices(size.shape, o).empty(), !inRange);
            const auto grid = MakeCellPattern(size.shape, o);
            ASSERT_EQ(std::pair(grid->GetWidth(), grid->GetHeight()), std::pair(side, side));
            EXPECT_EQ(Coverage(*grid), !inRange ? std::pair(0, 0) : o % 2 == 1 ? size.odd : size.even);
        }
    }
    // Each call makes a new grid: changing one must not reach later patterns.
    const auto first = MakeCellPattern(PieceShape::Rhombus, 2);
    first->AddGrid(0, 0, MakeCellPattern(PieceShape::Rhombus, 2));
    EXPECT_FALSE(MakeCellPattern(PieceShape::Rhombus, 2)->DoesMatch(*first));
}

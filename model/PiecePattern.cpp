#include "model/PiecePattern.h"

#include "model/SolutionGridClass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr int kShapeCount = 5;
constexpr int kMaxOrientations = 8;
constexpr int kMaxVertices = 4;

struct Outline {
    int count;
    std::array<QPoint, kMaxVertices> points;
};

struct ShapeInfo {
    int size;
    int orientations;
    const char* stem;
    std::array<Outline, kMaxOrientations> outlines;
};

// Each orientation turns the previous one 45 degrees clockwise on screen.
// Every vertex sits on a cell corner and every edge is horizontal, vertical
// or diagonal, so a diagonal edge runs exactly along the cells it crosses.
const std::array<ShapeInfo, kShapeCount>& Shapes()
{
    static const std::array<ShapeInfo, kShapeCount> shapes = {{
        {28, 8, "largetriangle",
         {{{3, {QPoint(0, 8), QPoint(28, 8), QPoint(14, 22)}},
           {3, {QPoint(8, 0), QPoint(28, 20), QPoint(8, 20)}},
           {3, {QPoint(6, 14), QPoint(20, 0), QPoint(20, 28)}},
           {3, {QPoint(8, 8), QPoint(28, 8), QPoint(8, 28)}},
           {3, {QPoint(0, 20), QPoint(14, 6), QPoint(28, 20)}},
           {3, {QPoint(0, 8), QPoint(20, 8), QPoint(20, 28)}},
           {3, {QPoint(8, 0), QPoint(22, 14), QPoint(8, 28)}},
           {3, {QPoint(0, 20), QPoint(20, 0), QPoint(20, 20)}}}}},
        {20, 8, "mediumtriangle",
         {{{3, {QPoint(0, 6), QPoint(20, 6), QPoint(10, 16)}},
           {3, {QPoint(6, 0), QPoint(20, 14), QPoint(6, 14)}},
           {3, {QPoint(4, 10), QPoint(14, 0), QPoint(14, 20)}},
           {3, {QPoint(6, 6), QPoint(20, 6), QPoint(6, 20)}},
           {3, {QPoint(0, 14), QPoint(10, 4), QPoint(20, 14)}},
           {3, {QPoint(0, 6), QPoint(14, 6), QPoint(14, 20)}},
           {3, {QPoint(6, 0), QPoint(16, 10), QPoint(6, 20)}},
           {3, {QPoint(0, 14), QPoint(14, 0), QPoint(14, 14)}}}}},
        {14, 8, "smalltriangle",
         {{{3, {QPoint(0, 4), QPoint(14, 4), QPoint(7, 11)}},
           {3, {QPoint(4, 0), QPoint(14, 10), QPoint(4, 10)}},
           {3, {QPoint(3, 7), QPoint(10, 0), QPoint(10, 14)}},
           {3, {QPoint(4, 4), QPoint(14, 4), QPoint(4, 14)}},
           {3, {QPoint(0, 10), QPoint(7, 3), QPoint(14, 10)}},
           {3, {QPoint(0, 4), QPoint(10, 4), QPoint(10, 14)}},
           {3, {QPoint(4, 0), QPoint(11, 7), QPoint(4, 14)}},
           {3, {QPoint(0, 10), QPoint(10, 0), QPoint(10, 10)}}}}},
        {21, 4, "rhombus",
         {{{4, {QPoint(5, 0), QPoint(15, 10), QPoint(15, 20), QPoint(5, 10)}},
           {4, {QPoint(7, 7), QPoint(14, 0), QPoint(14, 14), QPoint(7, 21)}},
           {4, {QPoint(1, 16), QPoint(11, 6), QPoint(21, 6), QPoint(11, 16)}},
           {4, {QPoint(0, 7), QPoint(14, 7), QPoint(21, 14), QPoint(7, 14)}}}}},
        {14, 2, "square",
         {{{4, {QPoint(2, 2), QPoint(12, 2), QPoint(12, 12), QPoint(2, 12)}},
           {4, {QPoint(0, 7), QPoint(7, 0), QPoint(14, 7), QPoint(7, 14)}}}}},
    }};
    return shapes;
}

const ShapeInfo& Info(PieceShape shape)
{
    return Shapes()[static_cast<std::size_t>(shape)];
}

bool IsValid(PieceShape shape, int orientation)
{
    const auto index = static_cast<int>(shape);
    return index >= 0 && index < kShapeCount && orientation >= 1
        && orientation <= Info(shape).orientations;
}

// Work in sixths of a cell so that the centres of the four triangles into
// which a cell's two diagonals cut it have whole coordinates.
constexpr int kSub = 6;

// Whether the sub-unit point lies strictly inside the convex outline. The
// triangle centres never lie on an edge, so strictness cannot misplace one.
bool IsInside(const Outline& outline, int px, int py)
{
    int sign = 0;
    for (int i = 0; i < outline.count; ++i) {
        const QPoint a = outline.points[static_cast<std::size_t>(i)] * kSub;
        const QPoint b = outline.points[static_cast<std::size_t>((i + 1) % outline.count)] * kSub;
        const std::int64_t cross = std::int64_t(b.x() - a.x()) * (py - a.y())
            - std::int64_t(b.y() - a.y()) * (px - a.x());
        const int s = cross > 0 ? 1 : (cross < 0 ? -1 : 0);
        if (s == 0 || (sign != 0 && s != sign)) {
            return false;
        }
        sign = s;
    }
    return true;
}

// The four triangles between a cell's diagonals, as bits.
enum Quarter : unsigned { kTop = 1, kRight = 2, kBottom = 4, kLeft = 8 };

// Edges follow cell sides and diagonals only, so each of a cell's four
// quarter triangles is wholly inside or wholly outside; the covered quarters
// name the cell's code.
std::int32_t CodeFor(unsigned quarters)
{
    switch (quarters) {
    case kTop | kRight | kBottom | kLeft:
        return SolutionGridClass::kFull;
    case kTop | kLeft:
        return SolutionGridClass::kTopLeftHalf;
    case kTop | kRight:
        return SolutionGridClass::kTopRightHalf;
    case kBottom | kLeft:
        return SolutionGridClass::kBottomLeftHalf;
    case kBottom | kRight:
        return SolutionGridClass::kBottomRightHalf;
    default:
        return SolutionGridClass::kEmpty;
    }
}

SolutionGridClass Compute(const ShapeInfo& info, const Outline& outline)
{
    SolutionGridClass grid;
    grid.SetGridSize(info.size, info.size);
    constexpr int kNear = 1; // a sixth of a cell in from a side
    constexpr int kMid = 3;  // half way across
    constexpr int kFar = 5;  // a sixth of a cell in from the opposite side
    // Only the cells within the outline's bounds can be covered.
    int left = info.size;
    int top = info.size;
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < outline.count; ++i) {
        const QPoint& p = outline.points[static_cast<std::size_t>(i)];
        left = std::min(left, p.x());
        top = std::min(top, p.y());
        right = std::max(right, p.x());
        bottom = std::max(bottom, p.y());
    }
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const int cx = x * kSub;
            const int cy = y * kSub;
            unsigned quarters = 0;
            if (IsInside(outline, cx + kMid, cy + kNear)) {
                quarters |= kTop;
            }
            if (IsInside(outline, cx + kFar, cy + kMid)) {
                quarters |= kRight;
            }
            if (IsInside(outline, cx + kMid, cy + kFar)) {
                quarters |= kBottom;
            }
            if (IsInside(outline, cx + kNear, cy + kMid)) {
                quarters |= kLeft;
            }
            const std::int32_t code = CodeFor(quarters);
            if (code != SolutionGridClass::kEmpty) {
                grid.SetCell(x, y, code);
            }
        }
    }
    return grid;
}

// Patterns never change, so each is computed once, when first asked for (a
// puzzle needs only its own pieces' turns), and copied on request.
const SolutionGridClass& Cached(PieceShape shape, int orientation)
{
    using Table = std::array<std::array<std::optional<SolutionGridClass>, kMaxOrientations>, kShapeCount>;
    static Table table;
    const ShapeInfo& info = Info(shape);
    const auto turn = static_cast<std::size_t>(orientation - 1);
    std::optional<SolutionGridClass>& pattern = table[static_cast<std::size_t>(shape)][turn];
    if (!pattern) {
        pattern = Compute(info, info.outlines[turn]);
    }
    return *pattern;
}

} // namespace

int PatternSize(PieceShape shape)
{
    return Info(shape).size;
}

int OrientationCount(PieceShape shape)
{
    return Info(shape).orientations;
}

std::vector<QPoint> PatternVertices(PieceShape shape, int orientation)
{
    if (!IsValid(shape, orientation)) {
        return {};
    }
    const Outline& outline = Info(shape).outlines[static_cast<std::size_t>(orientation - 1)];
    return {outline.points.begin(), outline.points.begin() + outline.count};
}

std::shared_ptr<SolutionGridClass> MakeCellPattern(PieceShape shape, int orientation)
{
    if (IsValid(shape, orientation)) {
        return std::make_shared<SolutionGridClass>(Cached(shape, orientation));
    }
    auto grid = std::make_shared<SolutionGridClass>();
    grid->SetGridSize(PatternSize(shape), PatternSize(shape));
    return grid;
}

QString ShapeStem(PieceShape shape)
{
    return QString::fromLatin1(Info(shape).stem);
}

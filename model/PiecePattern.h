#pragma once

#include <QPoint>
#include <QString>
#include <memory>
#include <vector>

class SolutionGridClass;

// The one source of the pieces' geometry: the cell pattern of every shape in
// every orientation. The game decides hits and solutions on these patterns,
// and the piece art and masks are drawn from the same polygons.
enum class PieceShape { LargeTriangle, MediumTriangle, SmallTriangle, Rhombus, Square };

// The side of the shape's square pattern, in cells (its pictures are ten
// times that in pixels).
int PatternSize(PieceShape shape);
// How many 45-degree orientations the shape has before it looks the same.
int OrientationCount(PieceShape shape);
// The shape's outline in the given orientation (1 to OrientationCount), in
// cell units with (0, 0) the pattern's top-left corner; empty when the
// orientation is out of range.
std::vector<QPoint> PatternVertices(PieceShape shape, int orientation);
// A new S x S grid holding the cells the outline covers (5 for a full cell,
// 1 to 4 for the half a diagonal edge leaves inside); all 0 when the
// orientation is out of range.
std::shared_ptr<SolutionGridClass> MakeCellPattern(PieceShape shape, int orientation);
// The prefix of the shape's picture names ("largetriangle" for largetriangle1).
QString ShapeStem(PieceShape shape);

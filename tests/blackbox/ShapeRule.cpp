#include "tests/blackbox/ShapeRule.h"

#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"

#include <array>
#include <stdexcept>
#include <string>
#include <typeinfo>

namespace {

// A piece of the shape, as the game's catalogue pictures it in that orientation.
template <class Shape>
platform::PicturePtr PictureOf(int orientation)
{
    Shape piece;
    piece.SetOrientation(orientation);
    piece.SetPictureFromOrientation();
    return piece.mPicture;
}

struct Entry {
    const std::type_info* type;
    ShapeRule rule;
};

// Eight orientations for the triangles, four for the rhombus, two for the square.
const std::array kShapes{
    Entry{&typeid(PieceLargeTriangleClass), {"large triangle", 8, PictureOf<PieceLargeTriangleClass>}},
    Entry{&typeid(PieceMediumTriangleClass), {"medium triangle", 8, PictureOf<PieceMediumTriangleClass>}},
    Entry{&typeid(PieceSmallTriangleClass), {"small triangle", 8, PictureOf<PieceSmallTriangleClass>}},
    Entry{&typeid(PieceRhombusClass), {"rhombus", 4, PictureOf<PieceRhombusClass>}},
    Entry{&typeid(PieceSquareClass), {"square", 2, PictureOf<PieceSquareClass>}},
};

} // namespace

const ShapeRule& ShapeRule::Of(const PieceClass& piece)
{
    for (const Entry& entry : kShapes) {
        if (*entry.type == typeid(piece)) {
            return entry.rule;
        }
    }
    throw std::invalid_argument(std::string("no tangram shape is a ") + typeid(piece).name());
}

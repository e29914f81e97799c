#include "ModelTestSupport.h"

#include "model/PiecePattern.h"
#include "platform/NilObjectException.h"
#include "platform/pictures/ResourceFork.h"

#include <tuple>

namespace {

using enum PieceShape;

struct ShapeCase {
    PieceShape shape;
    std::shared_ptr<PieceClass> (*make)();
    std::int32_t firstPictureId; // one picture per orientation from here on
    int maxOffset;
    int side; // of the picture and the hit box, in pixels
    int orientations;
};

template <class Piece>
std::shared_ptr<PieceClass> Make()
{
    return std::make_shared<Piece>();
}

const ShapeCase kShapes[] = {
    {LargeTriangle, Make<PieceLargeTriangleClass>, 177, 80, 280, 8},
    {MediumTriangle, Make<PieceMediumTriangleClass>, 185, 60, 200, 8},
    {Rhombus, Make<PieceRhombusClass>, 193, 70, 210, 4},
    {SmallTriangle, Make<PieceSmallTriangleClass>, 197, 40, 140, 8},
    {Square, Make<PieceSquareClass>, 205, 20, 140, 2},
};

bool ShowsPicture(const PieceClass& piece, std::int32_t id)
{
    return piece.mPicture && piece.mPicture->Image() == platform::appResourceForkGetter()->GetPicture(id)->Image();
}

} // namespace

TEST(PieceTest, PiecesStartAtOneAndTurnThroughEveryPictureBothWaysInAFixedBox)
{
    for (const ShapeCase& c : kShapes) {
        SCOPED_TRACE(ShapeStem(c.shape).toStdString());
        const int count = c.orientations;
        const auto piece = c.make();
        const int side = c.side;
        EXPECT_EQ(std::tuple(piece->mOrientation, piece->mPosX, piece->mPosY, piece->mWidth, piece->mHeight),
                  std::tuple(1, 0, 0, side, side));
        EXPECT_TRUE(ShowsPicture(*piece, c.firstPictureId));
        EXPECT_EQ(piece->mMaxOffset, c.maxOffset);

        piece->SetPosition(130, 70);
        for (int step = 1; step <= 2 * count; ++step) {
            const bool clockwise = step <= count;
            clockwise ? piece->RotateClockwise() : piece->RotateCounterClockwise();
            const int expected = clockwise ? step % count + 1 : (2 * count - step) % count + 1;
            ASSERT_EQ(piece->mOrientation, expected) << step;
            EXPECT_TRUE(ShowsPicture(*piece, c.firstPictureId + expected - 1));
            EXPECT_TRUE(piece->GetSolutionGrid()->DoesMatch(*MakeCellPattern(c.shape, expected)));
        }
        EXPECT_EQ(std::tuple(piece->mPosX, piece->mPosY, piece->mWidth, piece->mMaxOffset),
                  std::tuple(130, 70, side, c.maxOffset));
        EXPECT_THROW(piece->Draw(), platform::NilObjectException) << "drawing needs the table";
        piece->SetOrientation(2); // the number alone turns no picture
        EXPECT_TRUE(ShowsPicture(*piece, c.firstPictureId));
        for (int bad : {0, -3, count + 1}) { // nor does one out of range
            piece->SetOrientation(bad);
            piece->SetPictureFromOrientation();
            EXPECT_TRUE(ShowsPicture(*piece, c.firstPictureId)) << bad;
        }
    }
}

// Points worked out by hand on the pieces' outlines. The square in
// orientation 1 fills cells 2 to 11 both ways; in orientation 2 it is a
// diamond whose row 0 holds a bottom-right half in cell 6 and a bottom-left
// half in cell 7, and whose row 7 runs from a top-right half in cell 0 to a
// top-left half in cell 13. Pixels on a cut belong to the top halves.
TEST(PieceTest, HitTestFollowsTheShapeToThePixelAndIgnoresThePicture)
{
    struct Hit {
        int orientation, x, y;
        bool on;
    };
    const Hit squareAt100x50[] = {
        {1, 100, 50, false}, {1, 120, 70, true}, {1, 219, 169, true}, {1, 220, 170, false}, {1, 240, 100, false},
        {1, 119, 100, false}, {1, 150, 69, false}, {1, 99, 100, false}, {1, 150, 49, false},
        // The diamond's top corner, between its two half cells.
        {2, 165, 55, true}, {2, 164, 55, false}, {2, 170, 50, false}, {2, 170, 51, true},
        // Bottom-left half: (3, 4) in the cell is on, (3, 3) is not.
        {2, 173, 54, true}, {2, 173, 53, false},
        // Top-right half on the box's left edge: (0, 0) and (3, 3) are on, (3, 4) is not.
        {2, 100, 120, true}, {2, 103, 123, true}, {2, 103, 124, false},
        // Top-left half: (4, 5) is on, (5, 5) is not.
        {2, 234, 125, true}, {2, 235, 125, false},
        // Out of range there is no shape, whatever the picture shows.
        {0, 150, 100, false}, {3, 150, 100, false},
    };
    PieceSquareClass square;
    square.SetPosition(100, 50);
    for (const Hit& hit : squareAt100x50) {
        square.SetOrientation(hit.orientation); // the hit area follows the number at once
        EXPECT_EQ(square.IsPointInside(hit.x, hit.y), hit.on)
            << "orientation " << hit.orientation << " at " << hit.x << "," << hit.y;
    }
    EXPECT_TRUE(ShowsPicture(square, 205)) << "the picture stays as it was";

    // A large triangle in orientation 1 ends in a top-right and a top-left
    // half (cells 13 and 14 of row 21) at its lowest corner.
    PieceLargeTriangleClass large;
    large.SetPosition(-37, 53);
    for (const Hit& hit : {Hit{1, -37 + 133, 53 + 213, true}, Hit{1, -37 + 133, 53 + 214, false},
                           Hit{1, -37 + 144, 53 + 215, true}, Hit{1, -37 + 145, 53 + 215, false},
                           Hit{1, -37 + 100, 53 + 79, false}, Hit{1, -37 + 100, 53 + 80, true}}) {
        EXPECT_EQ(large.IsPointInside(hit.x, hit.y), hit.on) << hit.x << "," << hit.y;
    }
}

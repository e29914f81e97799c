#include "ModelTestSupport.h"

#include "model/PiecePattern.h"
#include "platform/NilObjectException.h"
#include "platform/ResourceFork.h"

#include <tuple>

namespace {

struct ShapeCase {
    const char* name;
    PieceShape shape;
    std::shared_ptr<PieceClass> (*make)();
    std::int32_t firstPictureId; // one picture per orientation from here on
    int maxOffset;
};

template <class Piece>
std::shared_ptr<PieceClass> Make()
{
    return std::make_shared<Piece>();
}

const ShapeCase kShapes[] = {
    {"large triangle", PieceShape::LargeTriangle, Make<PieceLargeTriangleClass>, 177, 80},
    {"medium triangle", PieceShape::MediumTriangle, Make<PieceMediumTriangleClass>, 185, 60},
    {"rhombus", PieceShape::Rhombus, Make<PieceRhombusClass>, 193, 70},
    {"small triangle", PieceShape::SmallTriangle, Make<PieceSmallTriangleClass>, 197, 40},
    {"square", PieceShape::Square, Make<PieceSquareClass>, 205, 20},
};

bool ShowsPicture(const PieceClass& piece, std::int32_t id)
{
    return piece.mPicture && piece.mPicture->Image() == platform::appResourceForkGetter()->GetPicture(id)->Image();
}

// The pixels of a cell that its code covers: the diagonal's pixels belong
// to the top halves.
bool CellPixelCovered(int code, int mx, int my)
{
    switch (code) {
    case 5: return true;
    case 1: return mx + my <= 9;
    case 2: return my <= mx;
    case 3: return my > mx;
    case 4: return mx + my >= 10;
    default: return false;
    }
}

} // namespace

TEST(PieceTest, PiecesStartAtOneAndTurnThroughEveryPictureBothWaysInAFixedBox)
{
    for (const ShapeCase& c : kShapes) {
        SCOPED_TRACE(c.name);
        const int count = OrientationCount(c.shape);
        const auto piece = c.make();
        const int side = 10 * PatternSize(c.shape);
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

TEST(PieceTest, HitTestAgreesWithThePatternOnEveryPixelAndIgnoresThePicture)
{
    for (const ShapeCase& c : kShapes) {
        const auto piece = c.make();
        piece->SetPosition(-37, 53);
        const int side = piece->mWidth;
        // Out of range the pattern is empty, and so is the hit area.
        for (int o = -1; o <= OrientationCount(c.shape) + 1; ++o) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(o));
            piece->SetOrientation(o); // the hit area follows the number, the picture stays
            const auto pattern = MakeCellPattern(c.shape, o);
            // One pixel of margin all round: outside the box nothing is hit.
            for (int py = -1; py <= side; ++py) {
                for (int px = -1; px <= side; ++px) {
                    const bool inBox = px >= 0 && py >= 0 && px < side && py < side;
                    const bool expected
                        = inBox && CellPixelCovered(pattern->GetCell(px / 10, py / 10), px % 10, py % 10);
                    ASSERT_EQ(piece->IsPointInside(piece->mPosX + px, piece->mPosY + py), expected)
                        << "pixel (" << px << ", " << py << ")";
                }
            }
        }
    }
}

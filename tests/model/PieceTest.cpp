#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PiecePattern.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/RectClass.h"
#include "model/SolutionGridClass.h"
#include "platform/NilObjectException.h"
#include "platform/ResourceFork.h"
#include "resources/PictureCatalogue.h"
#include "table/TableClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>
#include <vector>

namespace {

// Piece pictures are numbered from this id in catalogue order: eight large
// triangles, eight medium, four rhombi, eight small triangles, two squares.
constexpr std::int32_t kFirstPieceId = 177;
constexpr std::int32_t kLastPieceId = 206;

// Serves a plain picture of the right size for every piece picture, except
// the ids it is told to leave out, so the pieces do not depend on the art.
class PieceFork : public platform::ResourceFork {
public:
    explicit PieceFork(std::set<std::int32_t> missing = {}) : mMissing(std::move(missing)) {}

    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        if (id < kFirstPieceId || id > kLastPieceId || mMissing.count(id)) {
            return nullptr;
        }
        const int offset = id - kFirstPieceId;
        const int side = offset < 8 ? 280 : offset < 16 ? 200 : offset < 20 ? 210 : 140;
        return std::make_shared<platform::Picture>(side, side);
    }

private:
    std::set<std::int32_t> mMissing;
};

struct ShapeCase {
    const char* name;
    PieceShape shape;
    std::function<std::shared_ptr<PieceClass>()> make;
    std::vector<platform::PicturePtr (*)()> pictures;
    int maxOffset;
};

std::vector<ShapeCase> AllShapes()
{
    return {
        {"large triangle", PieceShape::LargeTriangle, [] { return std::make_shared<PieceLargeTriangleClass>(); },
         {largetriangle1, largetriangle2, largetriangle3, largetriangle4, largetriangle5, largetriangle6,
          largetriangle7, largetriangle8},
         80},
        {"medium triangle", PieceShape::MediumTriangle, [] { return std::make_shared<PieceMediumTriangleClass>(); },
         {mediumtriangle1, mediumtriangle2, mediumtriangle3, mediumtriangle4, mediumtriangle5, mediumtriangle6,
          mediumtriangle7, mediumtriangle8},
         60},
        {"small triangle", PieceShape::SmallTriangle, [] { return std::make_shared<PieceSmallTriangleClass>(); },
         {smalltriangle1, smalltriangle2, smalltriangle3, smalltriangle4, smalltriangle5, smalltriangle6,
          smalltriangle7, smalltriangle8},
         40},
        {"rhombus", PieceShape::Rhombus, [] { return std::make_shared<PieceRhombusClass>(); },
         {rhombus1, rhombus2, rhombus3, rhombus4}, 70},
        {"square", PieceShape::Square, [] { return std::make_shared<PieceSquareClass>(); }, {square1, square2}, 20},
    };
}

// The pixels of a cell that its code covers, written as the cells' own
// rule: the diagonal's pixels belong to the top halves.
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

// The widest run of empty rows or columns along any border of a pattern.
int WidestEmptyBorder(const SolutionGridClass& pattern)
{
    SolutionGridClass trimmed = pattern;
    trimmed.TrimEmptyCells();
    return std::max({trimmed.mNumTrimmedLeft, trimmed.mNumTrimmedRight, trimmed.mNumTrimmedTop,
                     trimmed.mNumTrimmedBottom});
}

class PieceTest : public ::testing::Test {
protected:
    void UseFork(std::set<std::int32_t> missing = {})
    {
        ResetPictureCatalogue();
        platform::SetAppResourceFork(std::make_shared<PieceFork>(std::move(missing)));
    }
    void SetUp() override { UseFork(); }
    void TearDown() override
    {
        platform::SetAppResourceFork(nullptr);
        ResetPictureCatalogue();
        ResetGlobals();
    }
};

} // namespace

TEST_F(PieceTest, NewPiecesStartInOrientationOneAtTheOriginWithTheirShapesMargins)
{
    for (const ShapeCase& c : AllShapes()) {
        SCOPED_TRACE(c.name);
        const auto piece = c.make();
        ASSERT_TRUE(piece->mPicture);
        EXPECT_EQ(piece->mPicture, c.pictures[0]());
        const int side = 10 * PatternSize(c.shape);
        EXPECT_EQ(std::tuple(piece->mOrientation, piece->mPosX, piece->mPosY, piece->mWidth, piece->mHeight),
                  std::tuple(1, 0, 0, side, side));
        EXPECT_EQ(piece->mMaxOffset, c.maxOffset);

        // The margin lets the piece reach a table edge with its cells in
        // every orientation, and no further.
        int widest = 0;
        for (int o = 1; o <= OrientationCount(c.shape); ++o) {
            widest = std::max(widest, WidestEmptyBorder(*MakeCellPattern(c.shape, o)));
        }
        EXPECT_EQ(piece->mMaxOffset, 10 * widest);
    }
}

TEST_F(PieceTest, RotationStepsThroughEveryPictureAndWrapsBothWays)
{
    for (const ShapeCase& c : AllShapes()) {
        SCOPED_TRACE(c.name);
        const int count = OrientationCount(c.shape);
        ASSERT_EQ(static_cast<int>(c.pictures.size()), count);
        const auto piece = c.make();
        piece->SetPosition(130, 70);
        for (int step = 1; step <= count; ++step) {
            piece->RotateClockwise();
            const int expected = step % count + 1;
            ASSERT_EQ(piece->mOrientation, expected);
            EXPECT_EQ(piece->mPicture, c.pictures[expected - 1]());
            EXPECT_TRUE(piece->GetSolutionGrid()->DoesMatch(*MakeCellPattern(c.shape, expected)));
        }
        for (int step = 1; step <= count; ++step) {
            piece->RotateCounterClockwise();
            const int expected = (count - step) % count + 1;
            ASSERT_EQ(piece->mOrientation, expected);
            EXPECT_EQ(piece->mPicture, c.pictures[expected - 1]());
        }
        // The piece turns inside a box that stays where it is.
        EXPECT_EQ(std::tuple(piece->mPosX, piece->mPosY, piece->mWidth, piece->mMaxOffset),
                  std::tuple(130, 70, 10 * PatternSize(c.shape), c.maxOffset));
    }
}

TEST_F(PieceTest, OrientationsOutOfRangeKeepThePictureAndCoverNothing)
{
    PieceLargeTriangleClass piece;
    piece.SetOrientation(5);
    EXPECT_EQ(piece.mPicture, largetriangle1()); // the number alone turns no picture
    piece.SetPictureFromOrientation();
    EXPECT_EQ(piece.mPicture, largetriangle5());
    for (int bad : {9, 0, -3}) {
        piece.SetOrientation(bad);
        piece.SetPictureFromOrientation();
        EXPECT_EQ(piece.mPicture, largetriangle5()) << bad;
        for (int i = 0; i < 280 * 280; i += 7) {
            ASSERT_FALSE(piece.IsPointInside(i % 280, i / 280)) << bad;
        }
    }
    // Clockwise brings N and above, and 0, to 1; below 0 stays out of range.
    // Counter-clockwise brings 1 and below to N; above N + 1 stays out.
    const int steps[][3] = {{9, +1, 1}, {0, +1, 1}, {-3, +1, -2}, {-7, -1, 8}, {9, -1, 8}, {12, -1, 11}};
    for (const auto& [from, direction, to] : steps) {
        piece.SetOrientation(from);
        direction > 0 ? piece.RotateClockwise() : piece.RotateCounterClockwise();
        EXPECT_EQ(piece.mOrientation, to) << from;
    }
    EXPECT_EQ(piece.mPicture, largetriangle8());
}

TEST_F(PieceTest, HitTestAgreesWithThePatternOnEveryPixel)
{
    for (const ShapeCase& c : AllShapes()) {
        const auto piece = c.make();
        piece->SetPosition(-37, 53);
        const int side = piece->mWidth;
        for (int o = 1; o <= OrientationCount(c.shape); ++o) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(o));
            piece->SetOrientation(o);
            const auto pattern = MakeCellPattern(c.shape, o);
            int hits = 0;
            // One pixel of margin all round: outside the box nothing is hit.
            for (int py = -1; py <= side; ++py) {
                for (int px = -1; px <= side; ++px) {
                    bool expected = false;
                    if (px >= 0 && py >= 0 && px < side && py < side) {
                        expected = CellPixelCovered(pattern->GetCell(px / 10, py / 10), px % 10, py % 10);
                    }
                    const bool hit = piece->IsPointInside(piece->mPosX + px, piece->mPosY + py);
                    ASSERT_EQ(hit, expected) << "pixel (" << px << ", " << py << ")";
                    hits += hit ? 1 : 0;
                }
            }
            EXPECT_GT(hits, 0);
        }
    }
}

TEST_F(PieceTest, HitTestSplitsHalfCellsOnTheirDiagonalsAndIgnoresThePicture)
{
    PieceSquareClass square;
    square.SetPosition(100, 50);
    EXPECT_FALSE(square.IsPointInside(100, 50)); // empty corner cell
    EXPECT_TRUE(square.IsPointInside(219, 169));
    EXPECT_FALSE(square.IsPointInside(220, 170));
    // As a diamond the top corner sits between a bottom-right half (cell 6)
    // and a bottom-left half (cell 7) of row 0.
    square.SetOrientation(2);
    square.SetPosition(0, 0);
    EXPECT_TRUE(square.IsPointInside(65, 5));
    EXPECT_FALSE(square.IsPointInside(64, 5));
    EXPECT_FALSE(square.IsPointInside(70, 0));
    EXPECT_TRUE(square.IsPointInside(70, 1));
    EXPECT_EQ(square.mPicture, square1()); // the hit area follows the number at once
    EXPECT_FALSE(square.IsPointInside(20, 20));
}

TEST_F(PieceTest, MissingArtLeavesAUsablePieceOfTheShapesSize)
{
    UseFork({kFirstPieceId, kFirstPieceId + 1});
    PieceLargeTriangleClass piece;
    EXPECT_FALSE(piece.mPicture);
    EXPECT_EQ(piece.mWidth, 280);
    EXPECT_EQ(piece.mHeight, 280);
    EXPECT_TRUE(piece.IsPointInside(140, 100));

    piece.RotateClockwise(); // picture 2 is missing too
    EXPECT_FALSE(piece.mPicture);
    piece.RotateClockwise();
    EXPECT_EQ(piece.mPicture, largetriangle3());
    EXPECT_EQ(piece.mWidth, 280);
}

TEST_F(PieceTest, DrawingNeedsTheTableAndPutsThePictureInItsBuffer)
{
    PieceSmallTriangleClass piece;
    piece.SetPosition(30, 40);
    ASSERT_EQ(gTable, nullptr);
    EXPECT_THROW(piece.Draw(), platform::NilObjectException);

    TableClass table;
    table.resize(400, 300);
    table.InitializeBuffer();
    gTable = &table;
    piece.Draw();
    const auto& dirty = platform::Deref(table.DirtyRect());
    EXPECT_EQ(std::tuple(dirty.mPosX, dirty.mPosY, dirty.mWidth, dirty.mHeight), std::tuple(30, 40, 140, 140));
}

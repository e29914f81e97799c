#include "model/PieceClass.h"

#include "app/Globals.h"
#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "platform/NilObjectException.h"
#include "table/TableClass.h"

namespace {

constexpr std::int32_t kCellPixels = 10;
constexpr std::int32_t kLastInCell = kCellPixels - 1;

// Whether the in-cell offset (mx, my) belongs to the covered part of a cell
// with the given code. Pixels on a diagonal go to the top half (1 or 2), so
// complementary halves split a cell's 100 pixels 55 to 45.
bool IsCovered(std::int32_t code, std::int32_t mx, std::int32_t my)
{
    switch (code) {
    case SolutionGridClass::kFull:
        return true;
    case SolutionGridClass::kTopLeftHalf:
        return my <= kLastInCell - mx;
    case SolutionGridClass::kTopRightHalf:
        return my <= mx;
    case SolutionGridClass::kBottomLeftHalf:
        return mx < my;
    case SolutionGridClass::kBottomRightHalf:
        return kLastInCell - mx < my;
    default:
        return false; // empty, or outside the pattern
    }
}

} // namespace

bool PieceClass::IsPointInside(std::int32_t x, std::int32_t y) const
{
    // Widened so that a piece near the end of the int32 range cannot wrap.
    const std::int64_t dx = std::int64_t(x) - mPosX;
    const std::int64_t dy = std::int64_t(y) - mPosY;
    if (dx < 0 || dy < 0 || dx >= mWidth || dy >= mHeight) {
        return false;
    }
    const auto pattern = GetSolutionGrid();
    if (!pattern) {
        return false;
    }
    const auto cx = static_cast<std::int32_t>(dx / kCellPixels);
    const auto cy = static_cast<std::int32_t>(dy / kCellPixels);
    return IsCovered(pattern->GetCell(cx, cy), static_cast<std::int32_t>(dx % kCellPixels),
                     static_cast<std::int32_t>(dy % kCellPixels));
}

void PieceClass::Draw() const
{
    BufferedCanvasClass& table = platform::Deref(gTable);
    // A piece whose art could not be loaded is not drawn, rather than
    // reporting the same missing picture on every redraw of the table.
    if (mPicture) {
        table.DrawPicture(mPicture, mPosX, mPosY);
    }
}

void PieceClass::SetPosition(std::int32_t x, std::int32_t y)
{
    mPosX = x;
    mPosY = y;
}

void PieceClass::SetOrientation(std::int32_t orientation)
{
    mOrientation = orientation;
}

void PieceClass::ConstructAs(PieceShape shape, std::int32_t maxOffset)
{
    SetOrientation(1);
    SetPictureFromOrientation();
    if (mPicture) {
        mWidth = mPicture->Width();
        mHeight = mPicture->Height();
    } else {
        // Without its art the piece keeps the size its cells need, so it can
        // still be hit, moved and matched.
        mWidth = PatternSize(shape) * kCellPixels;
        mHeight = mWidth;
    }
    mPosX = 0;
    mPosY = 0;
    mMaxOffset = maxOffset;
}

void PieceClass::StepClockwise(std::int32_t count)
{
    // Compared before stepping so that no value can overflow.
    mOrientation = mOrientation >= count ? 1 : mOrientation + 1;
    SetPictureFromOrientation();
}

void PieceClass::StepCounterClockwise(std::int32_t count)
{
    mOrientation = mOrientation <= 1 ? count : mOrientation - 1;
    SetPictureFromOrientation();
}

void PieceClass::PictureFromOrientation(const PictureAccessor* pictures, std::int32_t count)
{
    if (mOrientation >= 1 && mOrientation <= count) {
        mPicture = pictures[mOrientation - 1]();
    }
}

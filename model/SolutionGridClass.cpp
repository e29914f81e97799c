#include "model/SolutionGridClass.h"

#include "platform/NilObjectException.h"

#include <algorithm>

namespace {

// Whether adding code b onto a cell already holding a covers some part twice.
// Complementary halves (1 with 4, 2 with 3) fill the cell between them; a sum
// above a full cell only exists where an earlier overlap already set the flag.
bool Overlaps(std::int32_t a, std::int32_t b)
{
    if (a == 0 || b == 0) {
        return false;
    }
    switch (a) {
    case SolutionGridClass::kTopLeftHalf:
        return b != SolutionGridClass::kBottomRightHalf;
    case SolutionGridClass::kTopRightHalf:
        return b != SolutionGridClass::kBottomLeftHalf;
    case SolutionGridClass::kBottomLeftHalf:
        return b != SolutionGridClass::kTopRightHalf;
    case SolutionGridClass::kBottomRightHalf:
        return b != SolutionGridClass::kTopLeftHalf;
    case SolutionGridClass::kFull:
        return true;
    default:
        return false;
    }
}

} // namespace

void SolutionGridClass::SetGridSize(std::int32_t width, std::int32_t height)
{
    if (width <= 0 || height <= 0) {
        width = 0;
        height = 0;
    }
    mWidth = width;
    mHeight = height;
    mGrid.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kEmpty);
}

void SolutionGridClass::SetCell(std::int32_t x, std::int32_t y, std::int32_t code)
{
    if (IsInside(x, y)) {
        At(x, y) = code;
    }
}

std::int32_t SolutionGridClass::GetCell(std::int32_t x, std::int32_t y) const
{
    return IsInside(x, y) ? At(x, y) : kOutside;
}

void SolutionGridClass::AddGrid(std::int32_t offsetX, std::int32_t offsetY,
                                const SolutionGridClass& other)
{
    if (!IsInside(offsetX, offsetY)) {
        return;
    }
    if (&other == this) {
        // Adding a grid to itself must read the cells as they were before.
        const SolutionGridClass copy = other;
        AddGrid(offsetX, offsetY, copy);
        return;
    }
    const std::int32_t lastX = std::min(other.mWidth - 1, (mWidth - 1) - offsetX);
    const std::int32_t lastY = std::min(other.mHeight - 1, (mHeight - 1) - offsetY);
    for (std::int32_t oy = 0; oy <= lastY; ++oy) {
        for (std::int32_t ox = 0; ox <= lastX; ++ox) {
            std::int32_t& cell = At(offsetX + ox, offsetY + oy);
            const std::int32_t added = other.At(ox, oy);
            if (Overlaps(cell, added)) {
                mHasOverlap = true;
            }
            cell += added;
        }
    }
}

void SolutionGridClass::AddGrid(std::int32_t offsetX, std::int32_t offsetY,
                                const std::shared_ptr<SolutionGridClass>& other)
{
    AddGrid(offsetX, offsetY, platform::Deref(other));
}

bool SolutionGridClass::IsRowEmpty(std::int32_t y) const
{
    for (std::int32_t x = 0; x < mWidth; ++x) {
        if (At(x, y) != kEmpty) {
            return false;
        }
    }
    return true;
}

bool SolutionGridClass::IsColumnEmpty(std::int32_t x) const
{
    for (std::int32_t y = 0; y < mHeight; ++y) {
        if (At(x, y) != kEmpty) {
            return false;
        }
    }
    return true;
}

void SolutionGridClass::TrimEmptyCells()
{
    // Without a covered cell the border scans below would run off the grid.
    if (std::all_of(mGrid.begin(), mGrid.end(), [](std::int32_t c) { return c == kEmpty; })) {
        return;
    }
    std::int32_t top = 0;
    while (IsRowEmpty(top)) {
        ++top;
    }
    std::int32_t bottom = mHeight - 1;
    while (IsRowEmpty(bottom)) {
        --bottom;
    }
    std::int32_t left = 0;
    while (IsColumnEmpty(left)) {
        ++left;
    }
    std::int32_t right = mWidth - 1;
    while (IsColumnEmpty(right)) {
        --right;
    }
    if (top == 0 && bottom == mHeight - 1 && left == 0 && right == mWidth - 1) {
        return;
    }
    mNumTrimmedTop = top;
    mNumTrimmedBottom = (mHeight - 1) - bottom;
    mNumTrimmedLeft = left;
    mNumTrimmedRight = (mWidth - 1) - right;

    SolutionGridClass trimmed;
    trimmed.SetGridSize(right - left + 1, bottom - top + 1);
    for (std::int32_t y = top; y <= bottom; ++y) {
        for (std::int32_t x = left; x <= right; ++x) {
            trimmed.At(x - left, y - top) = At(x, y);
        }
    }
    mGrid = std::move(trimmed.mGrid);
    mWidth = trimmed.mWidth;
    mHeight = trimmed.mHeight;
}

bool SolutionGridClass::DoesMatch(const SolutionGridClass& other) const
{
    return mWidth == other.mWidth && mHeight == other.mHeight && mGrid == other.mGrid;
}

bool SolutionGridClass::DoesMatch(const std::shared_ptr<SolutionGridClass>& other) const
{
    return DoesMatch(platform::Deref(other));
}

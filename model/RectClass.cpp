#include "model/RectClass.h"

#include "platform/NilObjectException.h"

#include <algorithm>

bool RectClass::IsPointInside(std::int32_t x, std::int32_t y) const
{
    // Widened so that a rectangle reaching the end of the int32 range
    // cannot wrap around.
    const std::int64_t right = std::int64_t(mPosX) + mWidth;
    const std::int64_t bottom = std::int64_t(mPosY) + mHeight;
    return mPosX <= x && x <= right && mPosY <= y && y <= bottom;
}

std::shared_ptr<RectClass> RectClass::GetRectOverlap(const std::shared_ptr<RectClass>& other) const
{
    return GetRectOverlap(platform::Deref(other));
}

std::shared_ptr<RectClass> RectClass::GetRectOverlap(const RectClass& other) const
{
    const std::int64_t left = std::max(mPosX, other.mPosX);
    const std::int64_t top = std::max(mPosY, other.mPosY);
    const std::int64_t right =
        std::min(std::int64_t(mPosX) + mWidth, std::int64_t(other.mPosX) + other.mWidth);
    const std::int64_t bottom =
        std::min(std::int64_t(mPosY) + mHeight, std::int64_t(other.mPosY) + other.mHeight);
    if (right <= left || bottom <= top) {
        return nullptr;
    }
    return std::make_shared<RectClass>(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                                       static_cast<std::int32_t>(right - left),
                                       static_cast<std::int32_t>(bottom - top));
}

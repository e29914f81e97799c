#pragma once

#include <cstdint>
#include <memory>

// An integer rectangle in pixels: the area of the table's buffer that changed
// since the last flip, or the part saved under a dragged piece. The right
// edge is at mPosX + mWidth, the bottom edge at mPosY + mHeight; sizes of 0
// or below are kept as given.
class RectClass {
public:
    RectClass() = default;
    RectClass(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
        : mPosX(left), mPosY(top), mWidth(width), mHeight(height)
    {
    }

    // Whether (x, y) lies in the rectangle, all four edges included.
    bool IsPointInside(std::int32_t x, std::int32_t y) const;
    // The area both rectangles cover, or null when they only touch or are
    // apart. A missing rectangle raises platform::NilObjectException.
    std::shared_ptr<RectClass> GetRectOverlap(const std::shared_ptr<RectClass>& other) const;
    std::shared_ptr<RectClass> GetRectOverlap(const RectClass& other) const;

    std::int32_t mPosX = 0;
    std::int32_t mPosY = 0;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
};

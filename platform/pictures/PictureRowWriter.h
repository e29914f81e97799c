#pragma once

#include "platform/pictures/PixelMath.h"

#include <QImage>
#include <cstdint>
#include <cstring>

namespace platform {

// Writes what a picture's rows hand out (PictureRows) into a 32-bit plane,
// each source pixel landing offset pixels right and down of its place.
class PictureRowWriter {
public:
    // The plane is detached once, here, rather than checked on every row.
    PictureRowWriter(QImage& plane, int offsetX, int offsetY)
        : mBits(plane.bits())
        , mStride(plane.bytesPerLine())
        , mOffsetX(offsetX)
        , mOffsetY(offsetY)
    {
    }

    void BeginRow(int y) { mRow = reinterpret_cast<std::uint32_t*>(mBits + (y + mOffsetY) * mStride); }

    void Copy(int x, const std::uint32_t* pixels, int count)
    {
        std::memcpy(At(x), pixels, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    }

    void CopyOverlapping(int x, const std::uint32_t* pixels, int count)
    {
        std::memmove(At(x), pixels, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    }

    void CopyGrey(int x, const uchar* greys, int count)
    {
        constexpr std::uint32_t kGreyToRgb = 0x010101u;
        std::uint32_t* dst = At(x);
        for (int i = 0; i < count; ++i) {
            dst[i] = kOpaque | (greys[i] * kGreyToRgb);
        }
    }

    void Blend(int x, const std::uint32_t* pixels, int count)
    {
        std::uint32_t* dst = At(x);
        for (int i = 0; i < count; ++i) {
            BlendOver(dst[i], pixels[i]);
        }
    }

    // Through grey g the colour's share is shades[g] and the destination
    // keeps g/255 of itself: exact for black and white too, so no pixel
    // needs a branch.
    void Shade(int x, const uchar* greys, const std::uint32_t* shades, int count)
    {
        std::uint32_t* dst = At(x);
        for (int i = 0; i < count; ++i) {
            dst[i] = shades[greys[i]] + ScaleChannels(dst[i], greys[i]);
        }
    }

private:
    static constexpr std::uint32_t kOpaque = 0xFF000000u;

    std::uint32_t* At(int x) const { return mRow + (x + mOffsetX); }

    uchar* mBits;
    qsizetype mStride;
    int mOffsetX;
    int mOffsetY;
    std::uint32_t* mRow = nullptr;
};

} // namespace platform

#pragma once

#include <cstdint>

namespace platform {

// The largest alpha of a 32-bit pixel: fully opaque.
inline constexpr std::uint32_t kFullAlpha = 255;

// Multiplies each of the four channels of a pixel by a/255, rounded; two
// channels at a time, since each needs only 16 bits.
inline std::uint32_t ScaleChannels(std::uint32_t pixel, std::uint32_t a)
{
    std::uint32_t redBlue = (pixel & 0x00FF00FFu) * a + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t alphaGreen = ((pixel >> 8) & 0x00FF00FFu) * a + 0x00800080u;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return redBlue | alphaGreen;
}

// A colour pixel seen through a mask grey, premultiplied: alpha is 255 minus
// the grey, so black shows the pixel and white leaves nothing of it.
inline std::uint32_t MaskedPixel(std::uint32_t rgb, std::uint32_t grey)
{
    constexpr std::uint32_t kOpaque = 0xFF000000u;
    const std::uint32_t alpha = kFullAlpha - grey;
    if (alpha == 0) {
        return 0;
    }
    return alpha == kFullAlpha ? (rgb | kOpaque) : ScaleChannels(rgb | kOpaque, alpha);
}

// A premultiplied source pixel over a destination pixel: what the mask hides
// of the source lets the same share of the destination through.
inline void BlendOver(std::uint32_t& dst, std::uint32_t src)
{
    constexpr int kAlphaShift = 24;
    const std::uint32_t alpha = src >> kAlphaShift;
    if (alpha == kFullAlpha) {
        dst = src;
    } else if (alpha != 0) {
        dst = src + ScaleChannels(dst, kFullAlpha - alpha);
    }
}

} // namespace platform

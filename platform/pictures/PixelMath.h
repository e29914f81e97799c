#pragma once

#include <cstdint>
#include <cstring>

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

// Where the stretch of bytes equal to value that goes on at `from` ends, at
// `end` at the latest. Masks are mostly long stretches of one grey, so eight
// bytes are compared at a time.
inline int SameBytesEnd(const unsigned char* bytes, int from, int end, unsigned char value)
{
    constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
    constexpr int kWord = sizeof(std::uint64_t);
    const std::uint64_t same = value * kEveryByte;
    int i = from;
    for (std::uint64_t word = 0; i + kWord <= end; i += kWord) {
        std::memcpy(&word, bytes + i, sizeof word);
        if (word != same) {
            break;
        }
    }
    while (i < end && bytes[i] == value) {
        ++i;
    }
    return i;
}

} // namespace platform

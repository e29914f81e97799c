#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The layout of the game's built-in resources: one read-only block linked
// into the executable, written at build time by the art generator. Pictures
// lie in it as ready-to-show pixels, rows without padding: colour art as
// 32-bit 0xFFRRGGBB, grey art (the masks) as one byte per pixel. Loading one
// needs no decoding and no copy: the picture's plane reads the block itself
// until someone draws into it.
//
//   BundleHeader, then `count` BundleEntry records, then the data.
struct BundleHeader {
    char magic[4];       // "KRES"
    std::uint32_t count; // number of entries
};

struct BundleEntry {
    char type[4];         // "PICT" for a picture, else a text type ("TEXT")
    std::int32_t id;      // resource id within its type
    std::uint32_t width;  // pictures: pixels; texts: 0
    std::uint32_t height; // pictures: pixels; texts: 0
    std::uint32_t depth;  // pictures: bits per pixel, 32 or 8 (grey); texts: 0
    std::uint32_t reserved;
    std::uint64_t offset; // from the start of the block
    std::uint64_t size;   // bytes
};

inline constexpr char kBundleMagic[4] = {'K', 'R', 'E', 'S'};
inline constexpr char kBundlePictureType[4] = {'P', 'I', 'C', 'T'};
// Every entry's data starts on this boundary, so pixel rows are aligned.
inline constexpr std::size_t kBundleAlignment = 64;
inline constexpr std::uint32_t kBundleColourDepth = 32;
inline constexpr std::uint32_t kBundleGreyDepth = 8;

// Makes the block the application's resources; the built-in resource object
// calls it when the program starts.
void RegisterResourceBundle(const unsigned char* begin, std::size_t size);

} // namespace platform

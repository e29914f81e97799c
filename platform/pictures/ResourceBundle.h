#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The layout of the game's built-in resources: one read-only block linked
// into the executable, written at build time by the art generator, which
// checks all of it, and read only through BundleReader. Pictures
// lie in it as ready-to-show pixels: colour art as 32-bit 0xFFRRGGBB, grey
// art (the masks) as one byte per pixel. Loading one needs no decoding and no
// copy: the picture's plane reads the block itself until someone draws into
// it. The entry's encoding says how the pixels lie:
//
// - kBundleRows: row after row, without padding.
// - kBundleTiles (large colour art that is only ever copied somewhere): each
//   row cut into tiles of kBundleTileWidth pixels; first a uint16 per tile,
//   row by row, naming the tile's pixels in a table of distinct tiles, then
//   (from the next kBundleAlignment boundary) that table, kBundleTileWidth
//   32-bit pixels a tile. Art of soft gradients repeats most of its tiles.
// - kBundleRuns (type "COMP", the id of the colour picture it shows, and
//   maskId the grey picture it is seen through): the composite of the two,
//   as the stretches of each row that are not fully transparent. A
//   BundleRunsHeader; then `height + 1` uint32, the index of each row's first
//   run and finally the run count; then (from the next kBundleAlignment
//   boundary) the runs (BundleRun), left to right within a row; then the
//   runs' pixels one after another, 32-bit premultiplied ARGB, each
//   MaskedPixel of its colour and mask grey. Drawing it reads only what
//   shows, and neither plane.
//
//   BundleHeader, then `count` BundleEntry records, then the data. Every
//   entry's data starts on a kBundleAlignment boundary of the block, and the
//   block itself starts on one, so every value lies on its own alignment.
struct BundleHeader {
    char magic[4];       // "KRES"
    std::uint32_t count; // number of entries
};

struct BundleEntry {
    char type[4];           // "PICT" for a picture, "COMP" for a composite, else a text type ("TEXT")
    std::int32_t id;        // resource id within its type
    std::uint32_t width;    // pictures: pixels; texts: 0
    std::uint32_t height;   // pictures: pixels; texts: 0
    std::uint16_t depth;    // pictures: bits per pixel, 32 or 8 (grey); texts: 0
    std::uint16_t encoding; // pictures: kBundleRows, kBundleTiles or kBundleRuns; texts: 0
    std::int32_t maskId;    // composites: the id of the grey picture it was made through; else 0
    std::uint64_t offset;   // from the start of the block
    std::uint64_t size;     // bytes
};

struct BundleRunsHeader {
    std::uint32_t runCount;
    std::uint32_t pixelCount;
};

// A stretch [start, start + length) of one row of a composite that is not
// fully transparent: either all opaque (copied as it stands) or partly
// covered (blended). `pixel` is the index of its first pixel among the
// composite's pixels.
struct BundleRun {
    std::int32_t start;
    std::int32_t length;
    std::uint32_t opaque;
    std::uint32_t pixel;
};

inline constexpr char kBundleMagic[4] = {'K', 'R', 'E', 'S'};
inline constexpr char kBundlePictureType[4] = {'P', 'I', 'C', 'T'};
inline constexpr char kBundleCompositeType[4] = {'C', 'O', 'M', 'P'};
// Every entry's data starts on this boundary of the block: its rows and
// tables are aligned for any value they hold, and the pages of one entry are
// shared with as few others as may be.
inline constexpr std::size_t kBundleAlignment = 64;
inline constexpr std::uint16_t kBundleColourDepth = 32;
inline constexpr std::uint16_t kBundleGreyDepth = 8;
inline constexpr std::uint16_t kBundleRows = 0;
inline constexpr std::uint16_t kBundleTiles = 1;
inline constexpr std::uint16_t kBundleRuns = 2;
inline constexpr int kBundleTileWidth = 8;

// The offset rounded up to the next kBundleAlignment boundary.
inline constexpr std::size_t BundleAligned(std::size_t offset)
{
    return (offset + kBundleAlignment - 1) / kBundleAlignment * kBundleAlignment;
}

// Where a tiled picture's table of tiles starts within its data.
inline constexpr std::size_t BundleTilesOffset(std::size_t width, std::size_t height)
{
    return BundleAligned(width / kBundleTileWidth * height * sizeof(std::uint16_t));
}

// Where a composite's runs start within its data; its pixels follow them.
inline constexpr std::size_t BundleRunsOffset(std::size_t height)
{
    return BundleAligned(sizeof(BundleRunsHeader) + (height + 1) * sizeof(std::uint32_t));
}

} // namespace platform

#include "platform/pictures/BundleReader.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Pictures larger than this each way are taken for damage.
constexpr std::uint32_t kLargestSide = 1U << 15;
constexpr std::uint64_t kTileBytes = kBundleTileWidth * sizeof(std::uint32_t);

struct Registered {
    const unsigned char* begin = nullptr;
    std::size_t size = 0;
};

Registered& RegisteredBundle()
{
    static Registered bundle;
    return bundle;
}

bool IsAligned(const void* at, std::size_t alignment)
{
    return reinterpret_cast<std::uintptr_t>(at) % alignment == 0;
}

// Whether the entry is a picture of a size and depth the game can hold.
bool IsPictureEntry(const BundleEntry& entry)
{
    return (entry.depth == kBundleColourDepth || entry.depth == kBundleGreyDepth) && entry.width > 0
        && entry.height > 0 && entry.width <= kLargestSide && entry.height <= kLargestSide;
}

std::uint64_t RowsSize(const BundleEntry& entry)
{
    return std::uint64_t{entry.width} * entry.height * (entry.depth / 8U);
}

// The tiles of the entry when every cell names a tile its table holds.
std::optional<TiledPixels> TilesOf(const BundleEntry& entry, const unsigned char* data)
{
    const std::uint64_t tablesAt = BundleTilesOffset(entry.width, entry.height);
    if (entry.depth != kBundleColourDepth || entry.width % kBundleTileWidth != 0 || entry.size < tablesAt
        || (entry.size - tablesAt) % kTileBytes != 0) {
        return std::nullopt;
    }
    const std::uint64_t tileCount = (entry.size - tablesAt) / kTileBytes;
    const TiledPixels tiles{reinterpret_cast<const std::uint16_t*>(data),
                            reinterpret_cast<const std::uint32_t*>(data + tablesAt),
                            static_cast<int>(entry.width), static_cast<int>(entry.height)};
    const std::size_t cells = std::size_t{entry.width} / kBundleTileWidth * entry.height;
    if (!std::all_of(tiles.tileOfCell, tiles.tileOfCell + cells,
                     [tileCount](std::uint16_t tile) { return tile < tileCount; })) {
        return std::nullopt;
    }
    return tiles;
}

// Whether row y's runs keep inside the picture and its pixels, left to
// right without overlapping, so drawing them touches nothing else.
bool RowRunsSound(const BundleRun* begin, const BundleRun* end, std::uint32_t width, std::uint32_t pixelCount)
{
    std::int64_t free = 0; // the first column the next run may take
    for (const BundleRun* run = begin; run != end; ++run) {
        const std::int64_t start = run->start;
        const std::int64_t stop = start + run->length;
        if (start < free || run->length <= 0 || stop > std::int64_t{width}
            || std::uint64_t{run->pixel} + std::uint64_t(run->length) > pixelCount) {
            return false;
        }
        free = stop;
    }
    return true;
}

} // namespace

void RegisterResourceBundle(const unsigned char* begin, std::size_t size)
{
    RegisteredBundle() = Registered{begin, size};
}

BundleReader::BundleReader(const unsigned char* begin, std::size_t size)
{
    // The entries are read in place: a block off its boundary finds nothing.
    BundleHeader header{};
    if (begin == nullptr || !IsAligned(begin, kBundleAlignment) || size < sizeof header) {
        return;
    }
    std::memcpy(&header, begin, sizeof header);
    if (std::memcmp(header.magic, kBundleMagic, sizeof header.magic) == 0
        && header.count <= (size - sizeof header) / sizeof(BundleEntry)) {
        mBegin = begin;
        mSize = size;
    }
}

BundleReader BundleReader::BuiltIn()
{
    const Registered& bundle = RegisteredBundle();
    return BundleReader(bundle.begin, bundle.size);
}

const BundleEntry* BundleReader::Find(const char (&type)[4], std::int32_t id) const
{
    if (mBegin == nullptr) {
        return nullptr;
    }
    BundleHeader header{};
    std::memcpy(&header, mBegin, sizeof header);
    const auto* entries = reinterpret_cast<const BundleEntry*>(mBegin + sizeof header);
    for (const BundleEntry* entry = entries; entry != entries + header.count; ++entry) {
        if (entry->id == id && std::memcmp(entry->type, type, sizeof entry->type) == 0) {
            const bool inside = entry->offset <= mSize && entry->size <= mSize - entry->offset;
            return inside && IsAligned(DataOf(*entry), kBundleAlignment) ? entry : nullptr;
        }
    }
    return nullptr;
}

const unsigned char* BundleReader::RowsOf(const BundleEntry* entry, std::uint16_t depth) const
{
    const bool rows = entry != nullptr && entry->depth == depth && IsPictureEntry(*entry)
        && entry->encoding == kBundleRows && entry->size == RowsSize(*entry);
    return rows ? DataOf(*entry) : nullptr;
}

std::optional<std::variant<QImage, TiledPixels>> BundleReader::Pixels(std::int32_t id) const
{
    const BundleEntry* entry = Find(kBundlePictureType, id);
    if (entry == nullptr || !IsPictureEntry(*entry)) {
        return std::nullopt;
    }
    if (entry->encoding == kBundleTiles) {
        if (auto tiles = TilesOf(*entry, DataOf(*entry))) {
            return *tiles;
        }
        return std::nullopt;
    }
    const unsigned char* rows = RowsOf(entry, entry->depth);
    if (rows == nullptr) {
        return std::nullopt;
    }
    const bool grey = entry->depth == kBundleGreyDepth;
    return QImage(rows, static_cast<int>(entry->width), static_cast<int>(entry->height),
                  static_cast<qsizetype>(entry->width * (entry->depth / 8U)),
                  grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
}

std::optional<PackedComposite> BundleReader::Composite(std::int32_t id) const
{
    const BundleEntry* entry = Find(kBundleCompositeType, id);
    if (entry == nullptr || entry->encoding != kBundleRuns || entry->depth != kBundleColourDepth) {
        return std::nullopt;
    }
    const BundleEntry* colour = Find(kBundlePictureType, id);
    const BundleEntry* mask = Find(kBundlePictureType, entry->maskId);
    const auto sameSize = [entry](const BundleEntry* other) {
        return other != nullptr && other->width == entry->width && other->height == entry->height;
    };
    const unsigned char* colourRows = sameSize(colour) ? RowsOf(colour, kBundleColourDepth) : nullptr;
    const unsigned char* maskRows = sameSize(mask) ? RowsOf(mask, kBundleGreyDepth) : nullptr;
    if (colourRows == nullptr || maskRows == nullptr) {
        return std::nullopt;
    }
    return PackedComposite{DataOf(*entry), entry->size, entry->width, entry->height, colourRows, maskRows};
}

std::string_view BundleReader::Text(const char (&type)[4], std::int32_t id) const
{
    const BundleEntry* entry = Find(type, id);
    if (entry == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(DataOf(*entry)), static_cast<std::size_t>(entry->size)};
}

std::optional<CompositeRows> BundleReader::ReadComposite(const PackedComposite& composite)
{
    const std::uint64_t runsAt = BundleRunsOffset(composite.height);
    if (composite.data == nullptr || !IsAligned(composite.data, alignof(BundleRun)) || composite.size < runsAt) {
        return std::nullopt;
    }
    BundleRunsHeader header{};
    std::memcpy(&header, composite.data, sizeof header);
    const std::uint64_t pixelsAt = runsAt + std::uint64_t{header.runCount} * sizeof(BundleRun);
    if (composite.size != pixelsAt + std::uint64_t{header.pixelCount} * sizeof(std::uint32_t)) {
        return std::nullopt;
    }
    const auto* rowRuns = reinterpret_cast<const std::uint32_t*>(composite.data + sizeof header);
    const auto* runs = reinterpret_cast<const BundleRun*>(composite.data + runsAt);
    if (rowRuns[0] != 0 || rowRuns[composite.height] != header.runCount
        || !std::is_sorted(rowRuns, rowRuns + composite.height + 1)) {
        return std::nullopt;
    }
    for (std::uint32_t y = 0; y < composite.height; ++y) {
        if (!RowRunsSound(runs + rowRuns[y], runs + rowRuns[y + 1], composite.width, header.pixelCount)) {
            return std::nullopt;
        }
    }
    return CompositeRows{RunTable{runs, rowRuns},
                         reinterpret_cast<const std::uint32_t*>(composite.data + pixelsAt)};
}

} // namespace platform

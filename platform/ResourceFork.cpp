#include "platform/ResourceFork.h"

#include "platform/ResourceBundle.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace platform {

namespace {

struct Bundle {
    const unsigned char* begin = nullptr;
    std::size_t size = 0;
};

Bundle& RegisteredBundle()
{
    static Bundle bundle;
    return bundle;
}

ResourceForkPtr& SubstitutedFork()
{
    static ResourceForkPtr fork;
    return fork;
}

// The entry of that type and id whose data lies wholly inside the block, or
// null; a damaged or missing block finds nothing.
const BundleEntry* FindEntry(const char (&type)[4], std::int32_t id)
{
    const Bundle& bundle = RegisteredBundle();
    BundleHeader header{};
    if (bundle.size < sizeof header) {
        return nullptr;
    }
    std::memcpy(&header, bundle.begin, sizeof header);
    if (std::memcmp(header.magic, kBundleMagic, sizeof header.magic) != 0
        || header.count > (bundle.size - sizeof header) / sizeof(BundleEntry)) {
        return nullptr;
    }
    const auto* entries = reinterpret_cast<const BundleEntry*>(bundle.begin + sizeof header);
    for (std::uint32_t i = 0; i < header.count; ++i) {
        const BundleEntry& entry = entries[i];
        if (entry.id == id && std::memcmp(entry.type, type, sizeof entry.type) == 0) {
            const bool inside = entry.offset <= bundle.size && entry.size <= bundle.size - entry.offset;
            return inside ? &entry : nullptr;
        }
    }
    return nullptr;
}

// Pictures larger than this each way are taken for damage.
constexpr std::uint32_t kLargestSide = 1U << 15;

const unsigned char* EntryData(const BundleEntry& entry)
{
    return RegisteredBundle().begin + entry.offset;
}

// A picture whose rows lie as they are, over the block's own data. A QImage
// over const data never writes into it: the first change makes a copy.
PicturePtr RowsPicture(const BundleEntry& entry)
{
    const std::uint64_t bytesPerPixel = entry.depth / 8;
    if (entry.size != std::uint64_t{entry.width} * entry.height * bytesPerPixel) {
        return nullptr;
    }
    return std::make_shared<Picture>(
        QImage(EntryData(entry), static_cast<int>(entry.width), static_cast<int>(entry.height),
               static_cast<qsizetype>(entry.width * bytesPerPixel),
               entry.depth == kBundleGreyDepth ? QImage::Format_Grayscale8 : QImage::Format_RGB32));
}

// A picture read from tiles; null when a tile is named that the table lacks.
PicturePtr TiledPicture(const BundleEntry& entry)
{
    constexpr std::uint64_t kTileBytes = kBundleTileWidth * sizeof(std::uint32_t);
    const std::uint64_t cells = std::uint64_t{entry.width} / kBundleTileWidth * entry.height;
    const std::uint64_t tablesAt = BundleTilesOffset(entry.width, entry.height);
    if (entry.depth != kBundleColourDepth || entry.width % kBundleTileWidth != 0
        || entry.size < tablesAt || (entry.size - tablesAt) % kTileBytes != 0) {
        return nullptr;
    }
    const std::uint64_t tileCount = (entry.size - tablesAt) / kTileBytes;
    TiledPixels tiles;
    tiles.tileOfCell = reinterpret_cast<const std::uint16_t*>(EntryData(entry));
    tiles.tiles = reinterpret_cast<const std::uint32_t*>(EntryData(entry) + tablesAt);
    tiles.tilesPerRow = static_cast<int>(entry.width / kBundleTileWidth);
    if (!std::all_of(tiles.tileOfCell, tiles.tileOfCell + cells,
                     [tileCount](std::uint16_t tile) { return tile < tileCount; })) {
        return nullptr;
    }
    return Picture::FromTiles(static_cast<int>(entry.width), static_cast<int>(entry.height), tiles);
}

} // namespace

void RegisterResourceBundle(const unsigned char* begin, std::size_t size)
{
    RegisteredBundle() = Bundle{begin, size};
}

PicturePtr ResourceFork::GetPicture(std::int32_t id)
{
    const BundleEntry* entry = FindEntry(kBundlePictureType, id);
    if (!entry || (entry->depth != kBundleColourDepth && entry->depth != kBundleGreyDepth)
        || entry->width == 0 || entry->height == 0 || entry->width > kLargestSide
        || entry->height > kLargestSide) {
        return nullptr;
    }
    switch (entry->encoding) {
    case kBundleRows:
        return RowsPicture(*entry);
    case kBundleTiles:
        return TiledPicture(*entry);
    default:
        return nullptr;
    }
}

PackedComposite ResourceFork::GetComposite(std::int32_t id)
{
    // Only the entry is read here: the data is checked when first drawn.
    const BundleEntry* entry = FindEntry(kBundleCompositeType, id);
    if (!entry || entry->encoding != kBundleRuns || entry->depth != kBundleColourDepth) {
        return {};
    }
    return PackedComposite{EntryData(*entry), entry->size, entry->width, entry->height};
}

QString ResourceFork::GetResource(const QString& type, std::int32_t id)
{
    const QByteArray name = type.toLatin1();
    char key[4] = {};
    // A type is four characters; anything else names no resource.
    if (name.size() != sizeof key || name == QByteArray(kBundlePictureType, sizeof key)
        || name == QByteArray(kBundleCompositeType, sizeof key)) {
        return {};
    }
    std::memcpy(key, name.constData(), sizeof key);
    const BundleEntry* entry = FindEntry(key, id);
    if (!entry) {
        return {};
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(RegisteredBundle().begin + entry->offset),
                             static_cast<qsizetype>(entry->size));
}

ResourceForkPtr appResourceForkGetter()
{
    static const ResourceForkPtr builtIn = std::make_shared<ResourceFork>();
    const ResourceForkPtr& substituted = SubstitutedFork();
    return substituted ? substituted : builtIn;
}

void SetAppResourceFork(ResourceForkPtr fork)
{
    SubstitutedFork() = std::move(fork);
}

} // namespace platform

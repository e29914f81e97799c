#include "platform/pictures/BundleReader.h"

#include <cstring>

// The built-in block, which resources/embed/ links into read-only data. Weak:
// where it is not linked (the art generator itself) both are null and the
// built-in reader finds nothing.
extern "C" const unsigned char kolmira_resources_begin[] __attribute__((weak));
extern "C" const unsigned char kolmira_resources_end[] __attribute__((weak));

namespace platform {

namespace {

bool IsAligned(const void* at, std::size_t alignment)
{
    return reinterpret_cast<std::uintptr_t>(at) % alignment == 0;
}

bool IsPicture(const BundleEntry& entry)
{
    return (entry.depth == kBundleColourDepth || entry.depth == kBundleGreyDepth) && entry.width > 0
        && entry.height > 0;
}

} // namespace

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
    return BundleReader(kolmira_resources_begin,
                        static_cast<std::size_t>(kolmira_resources_end - kolmira_resources_begin));
}

std::span<const BundleEntry> BundleReader::Entries() const
{
    if (mBegin == nullptr) {
        return {};
    }
    BundleHeader header{};
    std::memcpy(&header, mBegin, sizeof header);
    return {reinterpret_cast<const BundleEntry*>(mBegin + sizeof header), header.count};
}

const BundleEntry* BundleReader::Find(const char (&type)[4], std::int32_t id) const
{
    for (const BundleEntry& entry : Entries()) {
        if (entry.id == id && std::memcmp(entry.type, type, sizeof entry.type) == 0) {
            const bool inside = entry.offset <= mSize && entry.size <= mSize - entry.offset;
            return inside && IsAligned(DataOf(entry), kBundleAlignment) ? &entry : nullptr;
        }
    }
    return nullptr;
}

QImage BundleReader::Rows(std::int32_t id, std::uint16_t depth) const
{
    const BundleEntry* entry = Find(kBundlePictureType, id);
    const std::uint32_t bytesPerPixel = depth / 8U;
    if (entry == nullptr || entry->depth != depth || !IsPicture(*entry) || entry->encoding != kBundleRows
        || entry->size != std::uint64_t{entry->width} * entry->height * bytesPerPixel) {
        return {};
    }
    return QImage(DataOf(*entry), static_cast<int>(entry->width), static_cast<int>(entry->height),
                  static_cast<qsizetype>(entry->width * bytesPerPixel),
                  depth == kBundleGreyDepth ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
}

std::optional<std::variant<QImage, TiledPixels>> BundleReader::Pixels(std::int32_t id) const
{
    const BundleEntry* entry = Find(kBundlePictureType, id);
    if (entry == nullptr || !IsPicture(*entry)) {
        return std::nullopt;
    }
    if (entry->encoding == kBundleTiles) {
        // The table of tiles lies past the cells' indices.
        const std::size_t tablesAt = BundleTilesOffset(entry->width, entry->height);
        if (entry->depth != kBundleColourDepth || entry->width % kBundleTileWidth != 0 || entry->size < tablesAt) {
            return std::nullopt;
        }
        const unsigned char* data = DataOf(*entry);
        return TiledPixels{reinterpret_cast<const std::uint16_t*>(data),
                           reinterpret_cast<const std::uint32_t*>(data + tablesAt), static_cast<int>(entry->width),
                           static_cast<int>(entry->height)};
    }
    QImage rows = Rows(id, entry->depth);
    if (rows.isNull()) {
        return std::nullopt;
    }
    return rows;
}

std::optional<MaskedPixels> BundleReader::Masked(std::int32_t id, std::int32_t maskId) const
{
    const BundleEntry* entry = Find(kBundleCompositeType, id);
    if (entry == nullptr || entry->maskId != maskId || entry->encoding != kBundleRuns
        || entry->size < BundleRunsOffset(entry->height)) {
        return std::nullopt;
    }
    MaskedPixels masked{Rows(id, kBundleColourDepth), Rows(maskId, kBundleGreyDepth),
                        PackedComposite{DataOf(*entry), entry->height}};
    const QSize size(static_cast<int>(entry->width), static_cast<int>(entry->height));
    if (masked.colour.isNull() || masked.colour.size() != size || masked.mask.size() != size) {
        return std::nullopt;
    }
    return masked;
}

std::string_view BundleReader::Text(const char (&type)[4], std::int32_t id) const
{
    const BundleEntry* entry = Find(type, id);
    if (entry == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(DataOf(*entry)), static_cast<std::size_t>(entry->size)};
}

} // namespace platform

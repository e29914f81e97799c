#include "platform/ResourceFork.h"

#include "platform/ResourceBundle.h"

#include <QImage>
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

// The pixels of a picture-like entry of that type and id, over the block's
// own data; null when there is none or its size does not add up. A QImage
// over const data never writes into it: the first change makes a copy.
QImage EntryImage(const char (&type)[4], std::int32_t id, QImage::Format colourFormat)
{
    const BundleEntry* entry = FindEntry(type, id);
    if (!entry || (entry->depth != kBundleColourDepth && entry->depth != kBundleGreyDepth)) {
        return {};
    }
    const std::uint64_t bytesPerPixel = entry->depth / 8;
    if (entry->width == 0 || entry->height == 0
        || entry->size != std::uint64_t{entry->width} * entry->height * bytesPerPixel) {
        return {};
    }
    return QImage(RegisteredBundle().begin + entry->offset, static_cast<int>(entry->width),
                  static_cast<int>(entry->height), static_cast<qsizetype>(entry->width * bytesPerPixel),
                  entry->depth == kBundleGreyDepth ? QImage::Format_Grayscale8 : colourFormat);
}

} // namespace

void RegisterResourceBundle(const unsigned char* begin, std::size_t size)
{
    RegisteredBundle() = Bundle{begin, size};
}

PicturePtr ResourceFork::GetPicture(std::int32_t id)
{
    const QImage image = EntryImage(kBundlePictureType, id, QImage::Format_RGB32);
    return image.isNull() ? nullptr : std::make_shared<Picture>(image);
}

QImage ResourceFork::GetComposite(std::int32_t id)
{
    const QImage image = EntryImage(kBundleCompositeType, id, QImage::Format_ARGB32_Premultiplied);
    return image.format() == QImage::Format_ARGB32_Premultiplied ? image : QImage();
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

#include "BundleWriter.h"

#include "platform/PixelMath.h"
#include "platform/ResourceBundle.h"

#include <QBuffer>
#include <QSaveFile>
#include <cstring>

namespace {

// The art went through PNG before the game read it as raw pixels; the round
// trip is kept so that every pixel stays as the game has always shown it.
QImage AsGameShowsIt(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

std::size_t Aligned(std::size_t offset)
{
    return (offset + platform::kBundleAlignment - 1) / platform::kBundleAlignment
        * platform::kBundleAlignment;
}

} // namespace

bool BundleWriter::AddPicture(std::int32_t id, const QImage& image, bool grey)
{
    const QImage pixels = AsGameShowsIt(image);
    Item item{{}, id, static_cast<std::uint32_t>(pixels.width()),
              static_cast<std::uint32_t>(pixels.height()),
              grey ? platform::kBundleGreyDepth : platform::kBundleColourDepth, {}};
    std::memcpy(item.type, platform::kBundlePictureType, sizeof item.type);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        if (!grey) {
            item.data.append(reinterpret_cast<const char*>(row),
                             static_cast<qsizetype>(pixels.width()) * 4);
            continue;
        }
        for (int x = 0; x < pixels.width(); ++x) {
            if (qRed(row[x]) != qGreen(row[x]) || qRed(row[x]) != qBlue(row[x])) {
                return false;
            }
            item.data.append(static_cast<char>(qRed(row[x])));
        }
    }
    mItems.push_back(std::move(item));
    return true;
}

const BundleWriter::Item* BundleWriter::FindPicture(std::int32_t id) const
{
    for (const Item& item : mItems) {
        if (item.id == id && std::memcmp(item.type, platform::kBundlePictureType, sizeof item.type) == 0) {
            return &item;
        }
    }
    return nullptr;
}

bool BundleWriter::AddComposite(std::int32_t colourId, std::int32_t maskId)
{
    const Item* colour = FindPicture(colourId);
    const Item* mask = FindPicture(maskId);
    if (!colour || !mask || colour->depth != platform::kBundleColourDepth
        || mask->depth != platform::kBundleGreyDepth || colour->width != mask->width
        || colour->height != mask->height) {
        return false;
    }
    Item item{{}, colourId, colour->width, colour->height, platform::kBundleColourDepth, {}};
    std::memcpy(item.type, platform::kBundleCompositeType, sizeof item.type);
    item.data.resize(colour->data.size());
    const auto* rgb = reinterpret_cast<const std::uint32_t*>(colour->data.constData());
    const auto* grey = reinterpret_cast<const uchar*>(mask->data.constData());
    auto* out = reinterpret_cast<std::uint32_t*>(item.data.data());
    const std::size_t pixels = std::size_t{colour->width} * colour->height;
    for (std::size_t i = 0; i < pixels; ++i) {
        out[i] = platform::MaskedPixel(rgb[i], grey[i]);
    }
    mItems.push_back(std::move(item));
    return true;
}

void BundleWriter::AddText(const char* type, std::int32_t id, const QByteArray& text)
{
    Item item{{}, id, 0, 0, 0, text};
    std::memcpy(item.type, type, sizeof item.type);
    mItems.push_back(std::move(item));
}

bool BundleWriter::PlaceFirst(const char (&type)[4], std::int32_t id)
{
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        Item& item = mItems[i];
        if (item.id == id && std::memcmp(item.type, type, sizeof item.type) == 0) {
            if (!item.first) {
                item.first = true;
                mFirst.push_back(i);
            }
            return true;
        }
    }
    return false;
}

bool BundleWriter::Write(const QString& path) const
{
    // The data goes in this order; the entries keep the order they were added in.
    std::vector<std::size_t> order = mFirst;
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        if (!mItems[i].first) {
            order.push_back(i);
        }
    }
    std::vector<std::uint64_t> offsets(mItems.size());
    std::size_t offset = Aligned(sizeof(platform::BundleHeader) + mItems.size() * sizeof(platform::BundleEntry));
    for (const std::size_t i : order) {
        offsets[i] = offset;
        offset = Aligned(offset + static_cast<std::size_t>(mItems[i].data.size()));
    }

    platform::BundleHeader header{};
    std::memcpy(header.magic, platform::kBundleMagic, sizeof header.magic);
    header.count = static_cast<std::uint32_t>(mItems.size());
    QByteArray block(reinterpret_cast<const char*>(&header), sizeof header);
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        const Item& item = mItems[i];
        platform::BundleEntry entry{};
        std::memcpy(entry.type, item.type, sizeof entry.type);
        entry.id = item.id;
        entry.width = item.width;
        entry.height = item.height;
        entry.depth = item.depth;
        entry.offset = offsets[i];
        entry.size = static_cast<std::uint64_t>(item.data.size());
        block.append(reinterpret_cast<const char*>(&entry), sizeof entry);
    }
    for (const std::size_t i : order) {
        block.append(QByteArray(static_cast<qsizetype>(offsets[i]) - block.size(), '\0'));
        block.append(mItems[i].data);
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(block) == block.size() && file.commit();
}

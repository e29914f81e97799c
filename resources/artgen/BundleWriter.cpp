#include "BundleWriter.h"

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

void BundleWriter::AddText(const char* type, std::int32_t id, const QByteArray& text)
{
    Item item{{}, id, 0, 0, 0, text};
    std::memcpy(item.type, type, sizeof item.type);
    mItems.push_back(std::move(item));
}

bool BundleWriter::Write(const QString& path) const
{
    platform::BundleHeader header{};
    std::memcpy(header.magic, platform::kBundleMagic, sizeof header.magic);
    header.count = static_cast<std::uint32_t>(mItems.size());
    QByteArray block(reinterpret_cast<const char*>(&header), sizeof header);
    std::size_t offset = Aligned(sizeof header + mItems.size() * sizeof(platform::BundleEntry));
    QByteArray data;
    for (const Item& item : mItems) {
        platform::BundleEntry entry{};
        std::memcpy(entry.type, item.type, sizeof entry.type);
        entry.id = item.id;
        entry.width = item.width;
        entry.height = item.height;
        entry.depth = item.depth;
        entry.offset = offset;
        entry.size = static_cast<std::uint64_t>(item.data.size());
        block.append(reinterpret_cast<const char*>(&entry), sizeof entry);
        offset = Aligned(offset + item.data.size());
    }
    for (const Item& item : mItems) {
        block.append(QByteArray(static_cast<qsizetype>(Aligned(block.size()) - block.size()), '\0'));
        block.append(item.data);
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(block) == block.size() && file.commit();
}

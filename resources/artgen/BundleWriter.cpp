#include "BundleWriter.h"

#include "platform/pictures/BundleCheck.h"
#include "platform/pictures/Graphics.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/ResourceBundle.h"

#include <QHash>
#include <QSaveFile>
#include <cstring>
#include <limits>
#include <vector>

namespace {

template <typename T>
void Append(QByteArray& data, const T* values, std::size_t count)
{
    data.append(reinterpret_cast<const char*>(values), static_cast<qsizetype>(count * sizeof(T)));
}

void PadTo(QByteArray& data, std::size_t size)
{
    data.append(QByteArray(static_cast<qsizetype>(size) - data.size(), '\0'));
}

} // namespace

bool BundleWriter::AddPicture(std::int32_t id, const QImage& image, bool grey)
{
    // The art is drawn opaque, on RGB32 or grey images, so the block keeps
    // it exactly as drawn, in the planes' own 32-bit format (a grey pixel g
    // reads as 0xFFgggggg). A round trip through PNG, as the art once took,
    // gives the very same bytes, so none is made.
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    Item item{{}, id, static_cast<std::uint32_t>(pixels.width()),
              static_cast<std::uint32_t>(pixels.height()),
              grey ? platform::kBundleGreyDepth : platform::kBundleColourDepth, platform::kBundleRows,
              {}};
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

void BundleWriter::AddTiledPicture(std::int32_t id, const QImage& image)
{
    AddPicture(id, image, false);
    Item& item = mItems.back();
    constexpr int kTile = platform::kBundleTileWidth;
    if (item.width % kTile != 0) {
        return; // kept as rows
    }
    const std::size_t cells = std::size_t{item.width} / kTile * item.height;
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(item.data.constData());
    std::vector<std::uint16_t> tileOfCell;
    tileOfCell.reserve(cells);
    QByteArray tiles;
    QHash<QByteArray, std::uint16_t> known;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        const QByteArray tile(reinterpret_cast<const char*>(pixels + cell * kTile),
                              kTile * static_cast<qsizetype>(sizeof(std::uint32_t)));
        auto found = known.constFind(tile);
        if (found == known.constEnd()) {
            if (known.size() > std::numeric_limits<std::uint16_t>::max()) {
                return; // too varied for tiles: kept as rows
            }
            found = known.insert(tile, static_cast<std::uint16_t>(known.size()));
            tiles.append(tile);
        }
        tileOfCell.push_back(found.value());
    }
    QByteArray data;
    Append(data, tileOfCell.data(), tileOfCell.size());
    PadTo(data, platform::BundleTilesOffset(item.width, item.height));
    data.append(tiles);
    if (data.size() < item.data.size()) {
        item.data = data;
        item.encoding = platform::kBundleTiles;
    }
}

void BundleWriter::AddComposite(std::int32_t colourId, const QImage& colour, std::int32_t maskId, const QImage& mask)
{
    Item item{{}, colourId, static_cast<std::uint32_t>(colour.width()), static_cast<std::uint32_t>(colour.height()),
              platform::kBundleColourDepth, platform::kBundleRuns, {}, maskId};
    std::memcpy(item.type, platform::kBundleCompositeType, sizeof item.type);
    // The runs the game itself finds in the two, which leave out what the
    // mask hides, and the pixels they show packed one run after another.
    platform::Picture picture(colour);
    const platform::Picture maskArt(mask);
    picture.Mask()->Graphics().DrawPicture(&maskArt, 0, 0);
    const auto rows = std::get<platform::CompositeRows>(picture.Rows());
    std::vector<std::uint32_t> rowRuns;
    std::vector<platform::BundleRun> runs;
    std::vector<std::uint32_t> shown;
    for (std::uint32_t y = 0; y < item.height; ++y) {
        rowRuns.push_back(static_cast<std::uint32_t>(runs.size()));
        rows.table.ForEachIn(static_cast<int>(y), 0, picture.Width(), [&](const platform::BundleRun& run, int, int) {
            runs.push_back({run.start, run.length, run.opaque, static_cast<std::uint32_t>(shown.size())});
            shown.insert(shown.end(), rows.pixels + run.pixel, rows.pixels + run.pixel + run.length);
        });
    }
    rowRuns.push_back(static_cast<std::uint32_t>(runs.size()));
    const platform::BundleRunsHeader header{static_cast<std::uint32_t>(runs.size()),
                                            static_cast<std::uint32_t>(shown.size())};
    Append(item.data, &header, 1);
    Append(item.data, rowRuns.data(), rowRuns.size());
    PadTo(item.data, platform::BundleRunsOffset(item.height));
    Append(item.data, runs.data(), runs.size());
    Append(item.data, shown.data(), shown.size());
    mItems.push_back(std::move(item));
}

void BundleWriter::AddText(const char* type, std::int32_t id, const QByteArray& text)
{
    Item item{{}, id, 0, 0, 0, platform::kBundleRows, text};
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

QString BundleWriter::Write(const QString& path) const
{
    const QByteArray block = Block();
    if (const QString fault = platform::BundleFault(block); !fault.isEmpty()) {
        return QStringLiteral("the block reads back unsound, so it is not written: %1").arg(fault);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(block) != block.size() || !file.commit()) {
        return QStringLiteral("cannot write %1").arg(path);
    }
    return {};
}

QByteArray BundleWriter::Block() const
{
    // The data goes in this order; the entries keep the order they were added in.
    std::vector<std::size_t> order = mFirst;
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        if (!mItems[i].first) {
            order.push_back(i);
        }
    }
    std::vector<std::uint64_t> offsets(mItems.size());
    std::size_t offset = platform::BundleAligned(sizeof(platform::BundleHeader)
                                                 + mItems.size() * sizeof(platform::BundleEntry));
    for (const std::size_t i : order) {
        offsets[i] = offset;
        offset = platform::BundleAligned(offset + static_cast<std::size_t>(mItems[i].data.size()));
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
        entry.encoding = item.encoding;
        entry.maskId = item.maskId;
        entry.offset = offsets[i];
        entry.size = static_cast<std::uint64_t>(item.data.size());
        block.append(reinterpret_cast<const char*>(&entry), sizeof entry);
    }
    for (const std::size_t i : order) {
        PadTo(block, offsets[i]);
        block.append(mItems[i].data);
    }
    return block;
}

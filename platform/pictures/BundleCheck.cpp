#include "platform/pictures/BundleCheck.h"

#include "platform/pictures/BundleReader.h"
#include "platform/pictures/PixelMath.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr std::uint64_t kTileBytes = kBundleTileWidth * sizeof(std::uint32_t);
constexpr std::uint8_t kHidden = 255; // the mask grey that leaves nothing of the picture

bool IsType(const BundleEntry& entry, const char (&type)[4])
{
    return std::memcmp(entry.type, type, sizeof entry.type) == 0;
}

QString TilesFault(const BundleEntry& entry, const TiledPixels& tiles)
{
    const std::uint64_t tablesAt = BundleTilesOffset(entry.width, entry.height);
    if ((entry.size - tablesAt) % kTileBytes != 0) {
        return QStringLiteral("its table of tiles ends part way through a tile");
    }
    const std::uint64_t tileCount = (entry.size - tablesAt) / kTileBytes;
    const std::size_t cells = std::size_t{entry.width} / kBundleTileWidth * entry.height;
    const auto named = std::max_element(tiles.tileOfCell, tiles.tileOfCell + cells);
    return named != tiles.tileOfCell + cells && *named >= tileCount
        ? QStringLiteral("a cell names tile %1 of %2").arg(*named).arg(tileCount)
        : QString();
}

// Row y's runs against the colour and mask rows they were made from.
QString RowFault(const CompositeRows& rows, std::uint32_t y, const MaskedPixels& masked, std::uint32_t pixelCount)
{
    const auto* colour = reinterpret_cast<const std::uint32_t*>(masked.colour.constScanLine(static_cast<int>(y)));
    const uchar* greys = masked.mask.constScanLine(static_cast<int>(y));
    const std::int64_t width = masked.colour.width();
    std::int64_t free = 0; // the first column the next run may take
    for (std::uint32_t r = rows.table.rowRuns[y]; r < rows.table.rowRuns[y + 1]; ++r) {
        const BundleRun& run = rows.table.runs[r];
        const std::int64_t stop = std::int64_t{run.start} + run.length;
        if (run.start < free || run.length <= 0 || stop > width) {
            return QStringLiteral("row %1's runs overlap, go backwards or leave the picture").arg(y);
        }
        if (std::uint64_t{run.pixel} + std::uint64_t(run.length) > pixelCount) {
            return QStringLiteral("a run of row %1 names pixels past the last").arg(y);
        }
        if (std::any_of(greys + free, greys + run.start, [](uchar grey) { return grey != kHidden; })) {
            return QStringLiteral("row %1 leaves out pixels its mask shows").arg(y);
        }
        for (std::int64_t x = run.start; x < stop; ++x) {
            if (rows.pixels[run.pixel + (x - run.start)] != MaskedPixel(colour[x], greys[x])
                || (run.opaque != 0) != (greys[x] == 0) || greys[x] == kHidden) {
                return QStringLiteral("pixel %1,%2 is not its colour through its mask").arg(x).arg(y);
            }
        }
        free = stop;
    }
    if (std::any_of(greys + free, greys + width, [](uchar grey) { return grey != kHidden; })) {
        return QStringLiteral("row %1 leaves out pixels its mask shows").arg(y);
    }
    return {};
}

QString CompositeFault(const BundleEntry& entry, const MaskedPixels& masked)
{
    const std::uint64_t runsAt = BundleRunsOffset(entry.height);
    BundleRunsHeader header{};
    std::memcpy(&header, masked.composite.data, sizeof header);
    if (entry.size != runsAt + std::uint64_t{header.runCount} * sizeof(BundleRun)
                          + std::uint64_t{header.pixelCount} * sizeof(std::uint32_t)) {
        return QStringLiteral("its counts of runs and pixels do not add up to its size");
    }
    const CompositeRows rows = masked.composite.Rows();
    const std::uint32_t* rowRuns = rows.table.rowRuns;
    if (rowRuns[0] != 0 || rowRuns[entry.height] != header.runCount
        || !std::is_sorted(rowRuns, rowRuns + entry.height + 1)) {
        return QStringLiteral("its rows' runs are out of order");
    }
    for (std::uint32_t y = 0; y < entry.height; ++y) {
        if (QString fault = RowFault(rows, y, masked, header.pixelCount); !fault.isEmpty()) {
            return fault;
        }
    }
    return {};
}

QString EntryFault(const BundleReader& bundle, const BundleEntry& entry)
{
    if (IsType(entry, kBundlePictureType)) {
        const auto pixels = bundle.Pixels(entry.id);
        if (!pixels) {
            return QStringLiteral("not found as its entry describes it");
        }
        const auto* tiles = std::get_if<TiledPixels>(&*pixels);
        return tiles != nullptr ? TilesFault(entry, *tiles) : QString();
    }
    if (IsType(entry, kBundleCompositeType)) {
        const auto masked = bundle.Masked(entry.id, entry.maskId);
        return masked ? CompositeFault(entry, *masked)
                      : QStringLiteral("not found with colour rows and a grey mask of its size");
    }
    const char type[4] = {entry.type[0], entry.type[1], entry.type[2], entry.type[3]};
    const bool found = bundle.Text(type, entry.id).data() != nullptr;
    return found ? QString() : QStringLiteral("not found inside the block");
}

} // namespace

QString BundleFault(const QByteArray& block)
{
    // Copied onto the boundary the game's own copy keeps.
    struct alignas(kBundleAlignment) Chunk {
        unsigned char bytes[kBundleAlignment];
    };
    std::vector<Chunk> aligned((static_cast<std::size_t>(block.size()) + kBundleAlignment - 1) / kBundleAlignment);
    std::memcpy(aligned.data(), block.constData(), static_cast<std::size_t>(block.size()));
    const BundleReader bundle(reinterpret_cast<const unsigned char*>(aligned.data()),
                              static_cast<std::size_t>(block.size()));
    if (bundle.Entries().empty()) {
        return QStringLiteral("no entries: an empty block, or not a block of resources");
    }
    for (const BundleEntry& entry : bundle.Entries()) {
        if (QString fault = EntryFault(bundle, entry); !fault.isEmpty()) {
            return QStringLiteral("%1 %2: %3")
                .arg(QLatin1String(entry.type, sizeof entry.type))
                .arg(entry.id)
                .arg(fault);
        }
    }
    return {};
}

} // namespace platform

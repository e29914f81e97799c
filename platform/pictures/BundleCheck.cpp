#include "platform/pictures/BundleCheck.h"

#include "platform/pictures/BundleReader.h"
#include "platform/pictures/PixelMath.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr std::uint64_t kTileBytes = kBundleTileWidth * sizeof(std::uint32_t);
constexpr int kAlphaShift = 24;

QString TilesFault(const BundleEntry& entry, const TiledPixels& tiles)
{
    const std::uint64_t tablesAt = BundleTilesOffset(entry.width, entry.height);
    const std::uint64_t tileCount = (entry.size - tablesAt) / kTileBytes;
    const std::size_t cells = std::size_t{entry.width} / kBundleTileWidth * entry.height;
    const bool named = std::all_of(tiles.tileOfCell, tiles.tileOfCell + cells,
                                   [tileCount](std::uint16_t tile) { return tile < tileCount; });
    return (entry.size - tablesAt) % kTileBytes != 0 || !named
        ? QStringLiteral("its cells name tiles its table does not hold")
        : QString();
}

// Lays each row's runs out again, checking that they keep inside the row
// and the pixels, left to right without overlapping, and compares the row
// with the colour rows seen through the mask rows (nothing where they hide).
QString CompositeFault(const BundleEntry& entry, const MaskedPixels& masked)
{
    BundleRunsHeader header{};
    std::memcpy(&header, masked.composite.data, sizeof header);
    if (entry.size != BundleRunsOffset(entry.height) + std::uint64_t{header.runCount} * sizeof(BundleRun)
                          + std::uint64_t{header.pixelCount} * sizeof(std::uint32_t)) {
        return QStringLiteral("its counts of runs and pixels do not add up to its size");
    }
    const CompositeRows rows = masked.composite.Rows();
    const std::uint32_t* rowRuns = rows.table.rowRuns;
    if (rowRuns[0] != 0 || rowRuns[entry.height] != header.runCount
        || !std::is_sorted(rowRuns, rowRuns + entry.height + 1)) {
        return QStringLiteral("its rows' runs are out of order");
    }
    const int width = masked.colour.width();
    std::vector<std::uint32_t> shown(static_cast<std::size_t>(width));
    for (int y = 0; y < masked.colour.height(); ++y) {
        std::fill(shown.begin(), shown.end(), 0);
        int free = 0; // the first column the next run may take
        for (std::uint32_t r = rowRuns[y]; r < rowRuns[y + 1]; ++r) {
            const BundleRun& run = rows.table.runs[r];
            if (run.start < free || run.length <= 0 || run.length > width - run.start
                || std::uint64_t{run.pixel} + std::uint64_t(run.length) > header.pixelCount) {
                return QStringLiteral("row %1's runs leave the row or the pixels, or overlap").arg(y);
            }
            const std::uint32_t* pixels = rows.pixels + run.pixel;
            const bool opaque = std::all_of(pixels, pixels + run.length,
                                            [](std::uint32_t pixel) { return pixel >> kAlphaShift == kFullAlpha; });
            if ((run.opaque != 0) != opaque) {
                return QStringLiteral("a run of row %1 says it is opaque when it is not, or the reverse").arg(y);
            }
            std::copy(pixels, pixels + run.length, shown.begin() + run.start);
            free = run.start + run.length;
        }
        const auto* colour = reinterpret_cast<const std::uint32_t*>(masked.colour.constScanLine(y));
        const uchar* greys = masked.mask.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (shown[static_cast<std::size_t>(x)] != MaskedPixel(colour[x], greys[x])) {
                return QStringLiteral("pixel %1,%2 is not its colour through its mask").arg(x).arg(y);
            }
        }
    }
    return {};
}

QString EntryFault(const BundleReader& bundle, const BundleEntry& entry)
{
    if (std::memcmp(entry.type, kBundlePictureType, sizeof entry.type) == 0) {
        const auto pixels = bundle.Pixels(entry.id);
        const auto* tiles = pixels ? std::get_if<TiledPixels>(&*pixels) : nullptr;
        return !pixels ? QStringLiteral("not found as its entry describes it")
                       : tiles != nullptr ? TilesFault(entry, *tiles) : QString();
    }
    if (std::memcmp(entry.type, kBundleCompositeType, sizeof entry.type) == 0) {
        const auto masked = bundle.Masked(entry.id, entry.maskId);
        return masked ? CompositeFault(entry, *masked)
                      : QStringLiteral("not found with colour rows and a grey mask of its size");
    }
    const char type[4] = {entry.type[0], entry.type[1], entry.type[2], entry.type[3]};
    return bundle.Text(type, entry.id).data() != nullptr ? QString() : QStringLiteral("not found inside the block");
}

} // namespace

QString BundleFault(const QByteArray& block)
{
    // Copied onto the boundary the game's own copy keeps.
    struct alignas(kBundleAlignment) Chunk {
        unsigned char bytes[kBundleAlignment];
    };
    const auto size = static_cast<std::size_t>(block.size());
    std::vector<Chunk> aligned((size + kBundleAlignment - 1) / kBundleAlignment);
    std::memcpy(aligned.data(), block.constData(), size);
    const BundleReader bundle(reinterpret_cast<const unsigned char*>(aligned.data()), size);
    if (bundle.Entries().empty()) {
        return QStringLiteral("no entries: an empty block, or not a block of resources");
    }
    for (const BundleEntry& entry : bundle.Entries()) {
        if (QString fault = EntryFault(bundle, entry); !fault.isEmpty()) {
            const QLatin1String type(entry.type, sizeof entry.type);
            return QStringLiteral("%1 %2: %3").arg(type).arg(entry.id).arg(fault);
        }
    }
    return {};
}

} // namespace platform

#pragma once

#include "platform/pictures/ResourceBundle.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <variant>

namespace platform {

// How a same-size draw reads a picture: one of the kinds below, each handing
// a writer the stretches of a source row that show, left to right, through
//   BeginRow(y)                  the row the next stretches belong to
//   Copy(x, pixels, n)           n opaque 0xFFRRGGBB pixels from column x on
//   CopyOverlapping(x, pixels, n) the same from pixels that may overlap the
//                                pixels written (a picture drawn into itself)
//   CopyGrey(x, greys, n)        n grey bytes, each shown as that opaque grey
//   Blend(x, pixels, n)          n premultiplied pixels over what lies beneath
//   Shade(x, greys, shades, n)   for each grey g, shades[g] over what lies
//                                beneath, of which g/255 is kept
// A picture hands out its rows (Picture::Rows), so the drawing code needs to
// know nothing of how the picture keeps them. A picture drawn into itself is
// the one case where a source row may be the row written: its plane's rows
// are handed to CopyOverlapping, and they are read one at a time bottom to
// top when they land lower down, so that no row is read after it is written.

// The plane as it stands, every pixel shown: 32-bit or grey rows.
struct PlaneRows {
    const QImage* plane = nullptr;

    template <typename Writer>
    void Row(int y, int first, int end, Writer& writer) const
    {
        if (plane->format() == QImage::Format_Grayscale8) {
            writer.CopyGrey(first, plane->constScanLine(y) + first, end - first);
        } else {
            writer.CopyOverlapping(first, reinterpret_cast<const std::uint32_t*>(plane->constScanLine(y)) + first,
                                   end - first);
        }
    }
};

// Colour art kept as tiles in the resource block (kBundleTiles): the tile of
// each stretch of kBundleTileWidth pixels, row by row, and the table of
// distinct tiles they name.
struct TiledPixels {
    const std::uint16_t* tileOfCell = nullptr;
    const std::uint32_t* tiles = nullptr;
    int width = 0;
    int height = 0;

    // A first tile entered part way, then whole tiles, each one copy of a
    // fixed size, then part of the last.
    template <typename Writer>
    void Row(int y, int first, int end, Writer& writer) const
    {
        constexpr int kTile = kBundleTileWidth;
        const std::uint16_t* cell = tileOfCell
            + static_cast<std::size_t>(y) * static_cast<std::size_t>(width / kTile)
            + static_cast<std::size_t>(first / kTile);
        const auto tile = [this](std::uint16_t n) { return tiles + std::size_t{n} * kTile; };
        int x = first;
        if (const int within = x % kTile; within != 0) {
            const int n = std::min(kTile - within, end - x);
            writer.Copy(x, tile(*cell++) + within, n);
            x += n;
        }
        for (; x + kTile <= end; x += kTile) {
            writer.Copy(x, tile(*cell++), kTile);
        }
        if (x < end) {
            writer.Copy(x, tile(*cell), end - x);
        }
    }
};

// The stretches of each row of a composite that are not fully transparent,
// left to right: row y's are [runs + rowRuns[y], runs + rowRuns[y + 1]).
struct RunTable {
    const BundleRun* runs = nullptr;
    const std::uint32_t* rowRuns = nullptr;

    // Calls visit(run, a, b) for the part [a, b) of each of row y's runs that
    // lies within [first, end).
    template <typename Visit>
    void ForEachIn(int y, int first, int end, Visit&& visit) const
    {
        const BundleRun* last = runs + rowRuns[y + 1];
        for (const BundleRun* run = runs + rowRuns[y]; run != last && run->start < end; ++run) {
            const int a = std::max(run->start, first);
            const int b = std::min(run->start + run->length, end);
            if (a < b) {
                visit(*run, a, b);
            }
        }
    }
};

// A composite as runs and their pixels: the run's pixel names its first
// one, whether the pixels lie packed one run after another (made ahead by
// the art generator) or as the rows of a composite image.
struct CompositeRows {
    RunTable table;
    const std::uint32_t* pixels = nullptr;

    template <typename Writer>
    void Row(int y, int first, int end, Writer& writer) const
    {
        table.ForEachIn(y, first, end, [&](const BundleRun& run, int a, int b) {
            const std::uint32_t* src = pixels + run.pixel + (a - run.start);
            if (run.opaque != 0) {
                writer.Copy(a, src, b - a);
            } else {
                writer.Blend(a, src, b - a);
            }
        });
    }
};

// A composite made ahead by the art generator as it lies in the resource
// block (kBundleRuns, checked when the block was written): its runs and
// pixels are found from its header only when it is drawn, so that the pages
// of art never shown are never read.
struct PackedComposite {
    const unsigned char* data = nullptr;
    std::uint32_t height = 0;

    CompositeRows Rows() const
    {
        BundleRunsHeader header{};
        std::memcpy(&header, data, sizeof header);
        const std::size_t runsAt = BundleRunsOffset(height);
        const auto* runs = reinterpret_cast<const BundleRun*>(data + runsAt);
        return {RunTable{runs, reinterpret_cast<const std::uint32_t*>(data + sizeof header)},
                reinterpret_cast<const std::uint32_t*>(runs + header.runCount)};
    }
};

// One colour seen through a grey mask, drawn from the two with no composite
// made: where the mask is black, a row of the colour is copied; where it is
// grey, the colour's shade under that grey.
struct ShadedRows {
    RunTable table;
    const QImage* mask = nullptr;
    const std::uint32_t* colourRow = nullptr;
    const std::uint32_t* shades = nullptr; // 256, one per grey

    template <typename Writer>
    void Row(int y, int first, int end, Writer& writer) const
    {
        const uchar* greys = mask->constScanLine(y);
        table.ForEachIn(y, first, end, [&](const BundleRun& run, int a, int b) {
            if (run.opaque != 0) {
                writer.Copy(a, colourRow + a, b - a);
            } else {
                writer.Shade(a, greys + a, shades, b - a);
            }
        });
    }
};

using PictureRows = std::variant<PlaneRows, TiledPixels, CompositeRows, ShadedRows>;

// Hands writer the rows of the source area, top to bottom.
template <typename Writer>
void ReadRows(const PictureRows& rows, const QRect& area, Writer& writer)
{
    std::visit(
        [&area, &writer](const auto& kind) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                writer.BeginRow(y);
                kind.Row(y, area.left(), area.left() + area.width(), writer);
            }
        },
        rows);
}

} // namespace platform

#pragma once

// The sidebar's Stats page as the player reads it: ten figures written over
// the page's backdrop, one per row, from the solved count at the top down to
// the unsolved count at the bottom.

#include "resources/PictureCatalogue.h"
#include "platform/pictures/Picture.h"

#include <QImage>
#include <array>

namespace StatsPage {

// Rows: solved, solved with 0 to 7 hints, unsolved.
inline constexpr int kRows = 10;
inline constexpr int kSolvedRow = 0;
inline constexpr int kFirstHintRow = 1;
inline constexpr int kUnsolvedRow = 9;
// Where the figures stand on the page: their left end and each row's baseline.
inline constexpr int kFigureLeft = 123;
inline constexpr std::array<int, kRows> kBaselines{68, 93, 111, 129, 147, 165, 183, 201, 219, 243};
inline constexpr QRgb kFigureColour = 0x332B28;
// A row's band: from well above its baseline (the height of a figure) to
// below it, short of the next row; italics may lean a little left.
inline constexpr int kAboveBaseline = 13;
inline constexpr int kBelowBaseline = 4;
inline constexpr int kLean = 4;

// What the row shows over the backdrop: the pixels that differ from it, each
// as drawn; the rest clear.
inline QImage Ink(const QImage& page, int row)
{
    const QImage backdrop = statstabbackground()->Image();
    const QRect band(kFigureLeft - kLean, kBaselines[row] - kAboveBaseline, page.width() - kFigureLeft + kLean,
                     kAboveBaseline + kBelowBaseline);
    QImage ink(band.size(), QImage::Format_ARGB32);
    ink.fill(Qt::transparent);
    for (int y = 0; y < band.height(); ++y) {
        for (int x = 0; x < band.width(); ++x) {
            const QPoint p = band.topLeft() + QPoint(x, y);
            if ((page.pixel(p) ^ backdrop.pixel(p)) & 0xFFFFFF) {
                ink.setPixel(x, y, page.pixel(p) | 0xFF000000);
            }
        }
    }
    return ink;
}

// The page's x of the row's leftmost drawn pixel, -1 when nothing is drawn.
inline int InkLeft(const QImage& ink)
{
    for (int x = 0; x < ink.width(); ++x) {
        for (int y = 0; y < ink.height(); ++y) {
            if (qAlpha(ink.pixel(x, y)) != 0) {
                return kFigureLeft - kLean + x;
            }
        }
    }
    return -1;
}

// Whether the row's figure is written in the figures' colour (its solid
// strokes are, whatever the smoothing at their edges).
inline bool InFigureColour(const QImage& ink)
{
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if ((ink.pixel(x, y) & 0xFFFFFF) == kFigureColour && qAlpha(ink.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace StatsPage

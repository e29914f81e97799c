#pragma once

// The puzzle card as the player reads it with no hint taken: the figure of
// the puzzle's trimmed grid centred on the 160-pixel card, two card pixels
// per cell each way, every cell the figure covers whole in its one dark red,
// every cell it leaves empty (and all around the figure) the card's own
// background. Cells cut along a diagonal are left out: their edge pixels
// blend.

#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

#include <QImage>

namespace CardLook {

inline constexpr int kCentre = 80;
inline constexpr int kPixelsPerCell = 2;
inline constexpr QRgb kFigureRed = 0x2A0000;

// How many card pixels differ from the figure of the stored puzzle with that
// number, shown with no hint taken (0: the card shows that figure and
// nothing else). A number with no figure (0) asks for the bare card.
inline int WrongPixels(const QImage& card, int number)
{
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(number);
    const SolutionGridClass* grid = puzzle.mSolutionGrid.get();
    const QImage background = puzzlecard()->Image();
    // The bare card: its figure's corner past its last pixel.
    const QPoint corner = grid ? QPoint(kCentre - grid->GetWidth(), kCentre - grid->GetHeight())
                               : QPoint(card.width(), card.height());
    int wrong = 0;
    for (int y = 0; y < card.height(); ++y) {
        for (int x = 0; x < card.width(); ++x) {
            // Division rounds towards zero: pixels left of or above the
            // figure must not fall into its first column or row.
            const bool beside = x < corner.x() || y < corner.y();
            const int code = beside ? SolutionGridClass::kOutside
                                    : grid->GetCell((x - corner.x()) / kPixelsPerCell, (y - corner.y()) / kPixelsPerCell);
            const QRgb shown = card.pixel(x, y) & RGB_MASK;
            if (code == SolutionGridClass::kFull) {
                wrong += shown != kFigureRed;
            } else if (code == SolutionGridClass::kEmpty || code == SolutionGridClass::kOutside) {
                wrong += shown != (background.pixel(x, y) & RGB_MASK);
            }
        }
    }
    return wrong;
}

} // namespace CardLook

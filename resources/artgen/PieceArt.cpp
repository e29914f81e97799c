#include "PieceArt.h"

#include "model/SolutionGridClass.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<PieceShape, 5> kShapes = {PieceShape::LargeTriangle,
                                               PieceShape::MediumTriangle,
                                               PieceShape::Rhombus, PieceShape::SmallTriangle,
                                               PieceShape::Square};

// The inside of a hinted piece on the card: a light red wash.
constexpr int kHintInside = 170;

// How much of pixel (mx, my) inside a cell the cell's code covers: fully,
// half (the pixel straddles the cut) or not at all.
enum class Cover { None, Half, Full };

Cover CoverOf(std::int32_t code, int mx, int my)
{
    constexpr int kLast = kCellPixels - 1;
    const int antiDiagonal = mx + my - kLast; // 0 on the cut of halves 1 and 4
    const int diagonal = mx - my;             // 0 on the cut of halves 2 and 3
    switch (code) {
    case SolutionGridClass::kFull:
        return Cover::Full;
    case SolutionGridClass::kTopLeftHalf:
        return antiDiagonal < 0 ? Cover::Full : antiDiagonal == 0 ? Cover::Half : Cover::None;
    case SolutionGridClass::kBottomRightHalf:
        return antiDiagonal > 0 ? Cover::Full : antiDiagonal == 0 ? Cover::Half : Cover::None;
    case SolutionGridClass::kTopRightHalf:
        return diagonal > 0 ? Cover::Full : diagonal == 0 ? Cover::Half : Cover::None;
    case SolutionGridClass::kBottomLeftHalf:
        return diagonal < 0 ? Cover::Full : diagonal == 0 ? Cover::Half : Cover::None;
    default:
        return Cover::None;
    }
}

QImage PiecePicture(PieceShape shape, int orientation)
{
    const int side = PatternSize(shape) * kCellPixels;
    const QColor colour = PieceColour(shape);
    // Outside the outline the mask hides everything; half-covered edge
    // pixels show this colour, the shade of the piece's outline.
    QImage image = NewPicture(side, side, colour.darker(175));
    QPainter painter(&image);
    PrepareSmooth(painter);
    QPolygonF outline;
    for (const QPoint& vertex : PatternVertices(shape, orientation)) {
        outline << QPointF(vertex) * kCellPixels;
    }
    constexpr double kBevelPerCell = 0.03;
    constexpr double kMinBevel = 3.0;
    const double bevel = std::max(kMinBevel, kBevelPerCell * side);
    PaintBevelledPiece(painter, outline, colour, bevel);
    return image;
}

} // namespace

QColor PieceColour(PieceShape shape)
{
    switch (shape) {
    case PieceShape::LargeTriangle:
        return palette::kLargeTriangle;
    case PieceShape::MediumTriangle:
        return palette::kMediumTriangle;
    case PieceShape::SmallTriangle:
        return palette::kSmallTriangle;
    case PieceShape::Rhombus:
        return palette::kRhombus;
    case PieceShape::Square:
        return palette::kSquare;
    }
    return palette::kInk;
}

QImage PieceMask(PieceShape shape, int orientation)
{
    const int cells = PatternSize(shape);
    const auto pattern = MakeCellPattern(shape, orientation);
    QImage mask(cells * kCellPixels, cells * kCellPixels, QImage::Format_Grayscale8);
    for (int py = 0; py < mask.height(); ++py) {
        uchar* line = mask.scanLine(py);
        for (int px = 0; px < mask.width(); ++px) {
            const std::int32_t code = pattern->GetCell(px / kCellPixels, py / kCellPixels);
            switch (CoverOf(code, px % kCellPixels, py % kCellPixels)) {
            case Cover::Full:
                line[px] = kMaskShown;
                break;
            case Cover::Half:
                line[px] = kMaskHalf;
                break;
            case Cover::None:
                line[px] = kMaskHidden;
                break;
            }
        }
    }
    return mask;
}

QImage ReduceForCard(const QImage& pieceMask)
{
    const int side = pieceMask.width() / kCardScale;
    QImage card(side, side, QImage::Format_Grayscale8);
    for (int cy = 0; cy < side; ++cy) {
        for (int cx = 0; cx < side; ++cx) {
            bool touched = false;
            for (int dy = 0; dy < kCardScale && !touched; ++dy) {
                const uchar* block = pieceMask.constScanLine(cy * kCardScale + dy) + cx * kCardScale;
                touched = std::any_of(block, block + kCardScale, [](uchar grey) { return grey != kMaskHidden; });
            }
            card.scanLine(cy)[cx] = touched ? kMaskShown : kMaskHidden;
        }
    }
    return card;
}

QImage HintFromCard(const QImage& cardMask)
{
    QImage hint = cardMask.copy();
    const int side = cardMask.width();
    auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < side && y < side
               && cardMask.constScanLine(y)[x] == kMaskShown;
    };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            bool inside = true;
            for (int dy = -1; dy <= 1 && inside; ++dy) {
                for (int dx = -1; dx <= 1 && inside; ++dx) {
                    inside = solid(x + dx, y + dy);
                }
            }
            if (inside) {
                hint.scanLine(y)[x] = kHintInside;
            }
        }
    }
    return hint;
}

void AddPieceArt(ArtSet& art)
{
    for (PieceShape shape : kShapes) {
        for (int orientation = 1; orientation <= OrientationCount(shape); ++orientation) {
            const QString name = ShapeStem(shape) + QString::number(orientation);
            const QImage mask = PieceMask(shape, orientation);
            const QImage card = ReduceForCard(mask);
            art[name] = PiecePicture(shape, orientation);
            art[name + QStringLiteral("mask")] = mask;
            art[QStringLiteral("card") + name + QStringLiteral("mask")] = card;
            art[QStringLiteral("hint") + name + QStringLiteral("mask")] = HintFromCard(card);
        }
    }
}

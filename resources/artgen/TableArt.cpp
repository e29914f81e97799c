#include "TableArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <numbers>

namespace {

constexpr int kTableWidth = 800;
constexpr int kTableHeight = 650;

QImage TableBackground()
{
    QImage image = NewPicture(kTableWidth, kTableHeight, palette::kTableLight);
    QPainter painter(&image);
    PrepareSmooth(painter);
    QRadialGradient light(QPointF(kTableWidth * 0.45, kTableHeight * 0.4), kTableWidth * 0.75);
    light.setColorAt(0.0, palette::kTableLight.lighter(104));
    light.setColorAt(0.7, palette::kTableLight);
    light.setColorAt(1.0, palette::kTableDark);
    painter.fillRect(image.rect(), light);
    constexpr int kStreakSpacing = 9;
    constexpr int kStrength = 3;
    PaintGrain(painter, QRectF(image.rect()), palette::kTableLight, kStreakSpacing, kStrength);
    // A soft shadow along the left edge, where the sidebar stands over the table.
    QLinearGradient edge(0, 0, 14, 0);
    edge.setColorAt(0.0, QColor(0, 0, 0, 60));
    edge.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(QRect(0, 0, 14, kTableHeight), edge);
    return image;
}

// Notes: a parchment card with a shadow that the mask lets through in grey.
constexpr int kNoteWidth = 360;
constexpr int kNoteHeight = 130;
constexpr double kNoteMargin = 8.0;
constexpr double kNoteRadius = 14.0;
const QColor kShadowColour(0x3A, 0x28, 0x1C);

QRectF NoteCard()
{
    return QRectF(kNoteMargin, kNoteMargin - 3, kNoteWidth - 2 * kNoteMargin,
                  kNoteHeight - 2 * kNoteMargin);
}

// Mask: black over the card, greys fading out around it for the shadow.
QImage NoteMask(int width, int height, const QRectF& card, double radius)
{
    QImage mask(width, height, QImage::Format_Grayscale8);
    mask.fill(Qt::white);
    QPainter painter(&mask);
    PrepareSmooth(painter);
    painter.setPen(Qt::NoPen);
    constexpr int kShadowLayers = 7;
    constexpr int kLayerAlpha = 22;
    for (int layer = kShadowLayers; layer >= 1; --layer) {
        painter.setBrush(QColor(0, 0, 0, kLayerAlpha));
        painter.drawRoundedRect(card.adjusted(-layer * 0.6, 0, layer * 0.6, layer + 1.0),
                                radius + layer, radius + layer);
    }
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(card, radius, radius);
    return mask;
}

QImage Note(const QString& title, const QString& line, const QColor& titleColour)
{
    QImage image = NewPicture(kNoteWidth, kNoteHeight, kShadowColour);
    QPainter painter(&image);
    PrepareSmooth(painter);
    const QRectF card = NoteCard();
    QLinearGradient body(card.topLeft(), card.bottomLeft());
    body.setColorAt(0.0, palette::kParchment.lighter(104));
    body.setColorAt(1.0, palette::kParchment.darker(106));
    painter.setBrush(body);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(card, kNoteRadius, kNoteRadius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette::kGold, 2.0));
    painter.drawRoundedRect(card.adjusted(5, 5, -5, -5), kNoteRadius - 4, kNoteRadius - 4);
    constexpr int kTitleSize = 34;
    constexpr int kLineSize = 14;
    PaintCentredText(painter, QRectF(card.left(), card.top() + 14, card.width(), 50), title,
                     SerifFont(kTitleSize, true, true), titleColour, QColor(255, 255, 255, 160));
    PaintCentredText(painter, QRectF(card.left(), card.top() + 66, card.width(), 30), line,
                     SansFont(kLineSize), palette::kInk, QColor(255, 255, 255, 120));
    return image;
}

// The overlap note hangs from the table's top edge at x = 522.
constexpr int kOverlapWidth = 250;
constexpr int kOverlapHeight = 50;
constexpr double kOverlapRadius = 12.0;

QRectF OverlapTab()
{
    constexpr double kSide = 7.0;
    // Its top runs past the picture so only the lower corners are rounded.
    return QRectF(kSide, -kOverlapRadius, kOverlapWidth - 2 * kSide,
                  kOverlapHeight - kSide + kOverlapRadius - 1);
}

QImage OverlapNote()
{
    QImage image = NewPicture(kOverlapWidth, kOverlapHeight, kShadowColour);
    QPainter painter(&image);
    PrepareSmooth(painter);
    const QRectF tab = OverlapTab();
    QLinearGradient body(tab.topLeft(), tab.bottomLeft());
    body.setColorAt(0.0, palette::kWine.darker(115));
    body.setColorAt(1.0, palette::kWine.lighter(110));
    painter.setPen(QPen(palette::kWine.darker(160), 1.0));
    painter.setBrush(body);
    painter.drawRoundedRect(tab, kOverlapRadius, kOverlapRadius);
    constexpr int kTextSize = 17;
    PaintCentredText(painter, QRectF(tab.left(), 0, tab.width(), tab.bottom()),
                     QStringLiteral("Pieces overlap"), SerifFont(kTextSize, true, true),
                     palette::kCream, palette::kWine.darker(170));
    return image;
}

// About: title, the seven pieces laid out as the classic square, and a dark
// band below y = 290 for the three lines of text the window writes there.
constexpr int kAboutWidth = 275;
constexpr int kAboutHeight = 360;
constexpr int kTextBandTop = 288;

QImage About()
{
    QImage image = NewPicture(kAboutWidth, kAboutHeight, palette::kWalnut);
    QPainter painter(&image);
    PrepareSmooth(painter);
    QLinearGradient shade(0, 0, 0, kAboutHeight);
    shade.setColorAt(0.0, palette::kWalnutLight);
    shade.setColorAt(0.75, palette::kWalnut);
    shade.setColorAt(1.0, palette::kWalnutDark);
    painter.fillRect(image.rect(), shade);
    painter.save();
    painter.translate(kAboutWidth, 0);
    painter.rotate(90);
    PaintGrain(painter, QRectF(0, 0, kAboutHeight, kAboutWidth), palette::kWalnut, 5, 8);
    painter.restore();
    painter.fillRect(QRect(0, kTextBandTop, kAboutWidth, kAboutHeight - kTextBandTop),
                     QColor(0, 0, 0, 70));
    painter.fillRect(QRect(20, kTextBandTop, kAboutWidth - 40, 1), palette::kGold.darker(130));

    PaintCentredText(painter, QRectF(0, 14, kAboutWidth, 56), QStringLiteral("Kolmira"),
                     SerifFont(44, true, true), palette::kCream, palette::kWalnutDark);

    // The classic square made of the seven pieces, in unit coordinates.
    struct SquarePiece {
        QPolygonF outline;
        QColor colour;
    };
    const SquarePiece pieces[] = {
        {QPolygonF({{0, 0}, {1, 0}, {0.5, 0.5}}), palette::kLargeTriangle},
        {QPolygonF({{0, 0}, {0.5, 0.5}, {0, 1}}), palette::kLargeTriangle.lighter(112)},
        {QPolygonF({{1, 0.5}, {1, 1}, {0.5, 1}}), palette::kMediumTriangle},
        {QPolygonF({{0.5, 0.5}, {0.75, 0.25}, {0.75, 0.75}}), palette::kSmallTriangle},
        {QPolygonF({{0, 1}, {0.25, 0.75}, {0.5, 1}}), palette::kSmallTriangle.lighter(112)},
        {QPolygonF({{0.5, 0.5}, {0.75, 0.75}, {0.5, 1}, {0.25, 0.75}}), palette::kSquare},
        {QPolygonF({{0.75, 0.25}, {1, 0}, {1, 0.5}, {0.75, 0.75}}), palette::kRhombus},
    };
    constexpr double kSide = 140.0;
    const QPointF centre(kAboutWidth / 2.0, 176.0);
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.rotate(45);
    place.scale(kSide, kSide);
    place.translate(-0.5, -0.5);
    // Shadow of the whole square first.
    painter.setPen(Qt::NoPen);
    for (int layer = 6; layer >= 1; --layer) {
        painter.setBrush(QColor(0, 0, 0, 18));
        QTransform shadow = place * QTransform::fromTranslate(0, layer + 2);
        painter.drawPolygon(shadow.map(QPolygonF({{0, 0}, {1, 0}, {1, 1}, {0, 1}})));
    }
    for (const SquarePiece& piece : pieces) {
        PaintBevelledPiece(painter, place.map(piece.outline), piece.colour, 3.0);
    }
    return image;
}

} // namespace

void AddTableArt(ArtSet& art)
{
    art[QStringLiteral("tablebackground")] = TableBackground();
    art[QStringLiteral("winnote")] = Note(QStringLiteral("Solved!"),
                                          QStringLiteral("Well done. Ready for a new puzzle?"),
                                          palette::kWine);
    art[QStringLiteral("completenote")] = Note(QStringLiteral("All solved!"),
                                               QStringLiteral("You have built every figure."),
                                               palette::kLargeTriangle.darker(130));
    art[QStringLiteral("winnotemask")] = NoteMask(kNoteWidth, kNoteHeight, NoteCard(), kNoteRadius);
    art[QStringLiteral("overlapnote")] = OverlapNote();
    art[QStringLiteral("overlapnotemask")] =
        NoteMask(kOverlapWidth, kOverlapHeight, OverlapTab(), kOverlapRadius);
    art[QStringLiteral("about")] = About();
}

#include "SidebarArt.h"

#include "resources/StatsPageLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

namespace {

// Window layout of the sidebar column.
constexpr int kColumnWidth = 200;
constexpr int kColumnHeight = 650;
constexpr int kTopHeight = 298;
constexpr int kPageTop = 298;
constexpr int kPageHeight = 302;
const QRect kCardArea(20, 129, 160, 160);
constexpr int kCardSide = 160;

// The Stats page: labels end this far left of where the window writes the
// figures.
using statspage::kFigureX;
using statspage::kFirstHintBaseline;
using statspage::kHintRows;
using statspage::kHintRowStep;
using statspage::kSolvedBaseline;
using statspage::kUnsolvedBaseline;
constexpr int kLabelGap = 10;

// Parchment panels on the pages.
constexpr double kPanelMargin = 10.0;
constexpr double kPanelRadius = 8.0;

const QImage& Column()
{
    static const QImage column = [] {
        QImage image = NewPicture(kColumnWidth, kColumnHeight, palette::kWalnut);
        QPainter painter(&image);
        PrepareSmooth(painter);
        QLinearGradient shade(0, 0, kColumnWidth, 0);
        shade.setColorAt(0.0, palette::kWalnut.lighter(108));
        shade.setColorAt(0.85, palette::kWalnut);
        shade.setColorAt(1.0, palette::kWalnutDark);
        painter.fillRect(image.rect(), shade);
        // Grain runs down the column: paint it sideways.
        painter.translate(kColumnWidth, 0);
        painter.rotate(90);
        constexpr int kStreakSpacing = 5;
        constexpr int kStrength = 9;
        PaintGrain(painter, QRectF(0, 0, kColumnHeight, kColumnWidth), palette::kWalnut,
                   kStreakSpacing, kStrength);
        painter.resetTransform();
        // The column's right edge meets the table: a dark seam.
        painter.fillRect(QRect(kColumnWidth - 1, 0, 1, kColumnHeight), palette::kWalnutDark.darker(130));
        return image;
    }();
    return column;
}

QImage PageBase()
{
    return SidebarWood(QRect(0, kPageTop, kColumnWidth, kPageHeight));
}

QImage TopBackground()
{
    QImage image = SidebarWood(QRect(0, 0, kColumnWidth, kTopHeight));
    QPainter painter(&image);
    PrepareSmooth(painter);
    constexpr int kTitleTop = 26;
    constexpr int kTitleHeight = 54;
    constexpr int kTitleSize = 38;
    constexpr int kSubtitleSize = 13;
    constexpr int kSubtitleTop = 80;
    constexpr int kSubtitleHeight = 20;
    PaintCentredText(painter, QRectF(0, kTitleTop, kColumnWidth, kTitleHeight),
                     QStringLiteral("Kolmira"), SerifFont(kTitleSize, true, true),
                     palette::kCream, palette::kWalnutDark);
    PaintCentredText(painter, QRectF(0, kSubtitleTop, kColumnWidth, kSubtitleHeight),
                     QStringLiteral("seven pieces, one figure"), SerifFont(kSubtitleSize, false, true),
                     palette::kGold, palette::kWalnutDark);
    // A frame for the card: shadow, then a thin brass rim just outside it.
    constexpr double kFrame = 4.0;
    const QRectF frame = QRectF(kCardArea).adjusted(-kFrame, -kFrame, kFrame, kFrame);
    PaintPanel(painter, frame, palette::kWalnutDark, palette::kGold.darker(120), 4.0);
    painter.fillRect(kCardArea, palette::kParchment);
    return image;
}

QImage PuzzleCard()
{
    QImage image = NewPicture(kCardSide, kCardSide, palette::kParchment);
    QPainter painter(&image);
    PrepareSmooth(painter);
    QLinearGradient light(0, 0, kCardSide, kCardSide);
    light.setColorAt(0.0, palette::kParchment.lighter(103));
    light.setColorAt(1.0, palette::kParchment.darker(104));
    painter.fillRect(image.rect(), light);
    constexpr double kInset = 4.5;
    painter.setPen(QPen(palette::kParchmentEdge, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(kInset, kInset, kCardSide - 2 * kInset, kCardSide - 2 * kInset));
    return image;
}

QRectF PanelArea(double top, double bottom)
{
    return QRectF(kPanelMargin, top, kColumnWidth - 2 * kPanelMargin, bottom - top);
}

QImage StatsBackground()
{
    QImage image = PageBase();
    QPainter painter(&image);
    PrepareSmooth(painter);
    PaintPanel(painter, PanelArea(kPanelMargin, kPageHeight - kPanelMargin), palette::kParchment,
               palette::kParchmentEdge, kPanelRadius);
    constexpr int kHeadingTop = 18;
    constexpr int kHeadingHeight = 26;
    PaintCentredText(painter, QRectF(0, kHeadingTop, kColumnWidth, kHeadingHeight),
                     QStringLiteral("Statistics"), SerifFont(18, true, true), palette::kInk,
                     palette::kParchment.lighter(110));

    constexpr int kLabelSize = 13;
    const int labelRight = kFigureX - kLabelGap;
    auto label = [&](int baseline, const QString& text, bool strong) {
        painter.setFont(SerifFont(kLabelSize, strong));
        painter.setPen(palette::kInk);
        const int width = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(labelRight - width, baseline, text);
    };
    label(kSolvedBaseline, QStringLiteral("Solved"), true);
    const QStringList hintLabels = {
        QStringLiteral("no hints"), QStringLiteral("1 hint"),  QStringLiteral("2 hints"),
        QStringLiteral("3 hints"),  QStringLiteral("4 hints"), QStringLiteral("5 hints"),
        QStringLiteral("6 hints"),  QStringLiteral("7 hints")};
    for (int row = 0; row < kHintRows; ++row) {
        label(kFirstHintBaseline + row * kHintRowStep, hintLabels[row], false);
    }
    label(kUnsolvedBaseline, QStringLiteral("Unsolved"), true);

    // A bracket ties the hint rows to "Solved" as its breakdown.
    constexpr int kBracketX = 34;
    constexpr int kCapHeight = 9;
    const int top = kFirstHintBaseline - kCapHeight;
    const int bottom = kFirstHintBaseline + (kHintRows - 1) * kHintRowStep;
    painter.setPen(QPen(palette::kParchmentEdge.darker(115), 1.0));
    painter.drawLine(QPointF(kBracketX + 0.5, top), QPointF(kBracketX + 0.5, bottom));
    painter.drawLine(QPointF(kBracketX + 0.5, top), QPointF(kBracketX + 6.5, top));
    painter.drawLine(QPointF(kBracketX + 0.5, bottom), QPointF(kBracketX + 6.5, bottom));
    constexpr int kWithX = 18;
    painter.save();
    painter.translate(kWithX, (top + bottom) / 2.0);
    painter.rotate(-90);
    painter.setFont(SerifFont(11, false, true));
    painter.drawText(QRectF(-50, -8, 100, 16), Qt::AlignCenter, QStringLiteral("solved with"));
    painter.restore();
    // Rules above and below the breakdown.
    constexpr int kRuleLeft = 24;
    constexpr int kRuleRight = 176;
    const double ruleAbove = (kSolvedBaseline + top) / 2.0 - 1.5;
    const double ruleBelow = (bottom + kUnsolvedBaseline - kCapHeight) / 2.0 + 0.5;
    painter.drawLine(QPointF(kRuleLeft, ruleAbove), QPointF(kRuleRight, ruleAbove));
    painter.drawLine(QPointF(kRuleLeft, ruleBelow), QPointF(kRuleRight, ruleBelow));
    return image;
}

QImage HelpBackground()
{
    QImage image = PageBase();
    QPainter painter(&image);
    PrepareSmooth(painter);
    const QRectF panel = PanelArea(kPanelMargin, kPageHeight - kPanelMargin);
    PaintPanel(painter, panel, palette::kParchment, palette::kParchmentEdge, kPanelRadius);
    constexpr int kHeadingTop = 16;
    constexpr int kHeadingHeight = 24;
    PaintCentredText(painter, QRectF(0, kHeadingTop, kColumnWidth, kHeadingHeight),
                     QStringLiteral("How to play"), SerifFont(17, true, true), palette::kInk,
                     palette::kParchment.lighter(110));
    const QStringList lines = {
        QStringLiteral("Rebuild the figure on the card with all seven pieces."),
        QStringLiteral("Drag a piece to move it."),
        QStringLiteral("Click a piece to turn it clockwise."),
        QStringLiteral("Alt-, Ctrl- or Super-click, or right-click, to turn it "
                       "counter-clockwise."),
        QStringLiteral("Get Hint shows one more piece of the figure on the card."),
        QStringLiteral("Game \u25B8 Make Game Harder hides the shadow on the table."),
    };
    constexpr int kTextSize = 12;
    constexpr double kTextLeft = 20.0;
    constexpr double kBulletIndent = 10.0;
    constexpr double kParagraphGap = 4.0;
    constexpr double kTextTop = 46.0;
    const double textWidth = kColumnWidth - 2 * kTextLeft;
    painter.setFont(SansFont(kTextSize));
    painter.setPen(palette::kInk);
    double y = kTextTop;
    for (int i = 0; i < lines.size(); ++i) {
        const bool bullet = i > 0;
        const double left = kTextLeft + (bullet ? kBulletIndent : 0.0);
        const QRectF box(left, y, textWidth - (bullet ? kBulletIndent : 0.0), kPageHeight);
        const QRectF used = painter.boundingRect(box, Qt::TextWordWrap, lines[i]);
        if (bullet) {
            painter.setBrush(palette::kGold.darker(110));
            painter.setPen(Qt::NoPen);
            constexpr double kDot = 2.2;
            const double dotY = y + painter.fontMetrics().ascent() * 0.62;
            painter.drawEllipse(QPointF(kTextLeft + 2.5, dotY), kDot, kDot);
            painter.setPen(palette::kInk);
        }
        painter.drawText(box, Qt::TextWordWrap, lines[i]);
        y += used.height() + kParagraphGap;
    }
    // The text must end on the panel: stop the build rather than cut it.
    if (y > panel.bottom()) {
        qFatal("artgen: the help text runs past its panel");
    }
    return image;
}

QImage PlayBackground()
{
    return PageBase();
}

QImage EndPageBackground()
{
    QImage image = PageBase();
    QPainter painter(&image);
    PrepareSmooth(painter);
    constexpr double kPanelBottom = 124.0;
    PaintPanel(painter, PanelArea(20.0, kPanelBottom), palette::kParchment, palette::kParchmentEdge,
               kPanelRadius);
    PaintCentredText(painter, QRectF(0, 32, kColumnWidth, 30), QStringLiteral("Well done!"),
                     SerifFont(22, true, true), palette::kWine, palette::kParchment.lighter(110));
    painter.setFont(SansFont(11));
    painter.setPen(palette::kInk);
    painter.drawText(QRectF(22, 64, kColumnWidth - 44, 54), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Every puzzle is solved. Thank you for playing Kolmira."));
    return image;
}

} // namespace

QImage SidebarWood(const QRect& windowArea)
{
    return Column().copy(windowArea);
}

void AddSidebarArt(ArtSet& art)
{
    art[QStringLiteral("sidebartopbackground")] = TopBackground();
    art[QStringLiteral("puzzlecard")] = PuzzleCard();
    art[QStringLiteral("playtabbackground")] = PlayBackground();
    art[QStringLiteral("statstabbackground")] = StatsBackground();
    art[QStringLiteral("helptabbackground")] = HelpBackground();
    art[QStringLiteral("playtabresetbackground")] = EndPageBackground();
}

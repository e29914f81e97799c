#include "ControlArt.h"

#include "SidebarArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 110;
// Where each button's canvas lies on its page's backdrop.
constexpr int kNewPuzzleTop = 21;
constexpr int kGetHintTop = 134;
constexpr int kQuitTop = 133;

// The plate of a button inside its canvas.
const QRectF kPlate(22.0, 22.0, 156.0, 62.0);
constexpr double kPlateRadius = 14.0;
constexpr double kPressedDrop = 3.0;
constexpr int kLabelSize = 21;

enum class Look { Normal, Hilite, Pressed };

const QColor kIvory(0xEA, 0xDB, 0xC0);
const QColor kIvoryHilite(0xF7, 0xEC, 0xD6);
const QColor kIvoryPressed(0xD2, 0xBE, 0x9C);

QImage Button(const QImage& backdrop, int top, const QString& label, Look look)
{
    QImage image = backdrop.copy(0, top, kButtonWidth, kButtonHeight);
    QPainter painter(&image);
    PrepareSmooth(painter);
    const double drop = look == Look::Pressed ? kPressedDrop : 0.0;
    const QRectF plate = kPlate.translated(0, drop);

    // Shadow: deep when resting, shallow when pushed in.
    const int shadowLayers = look == Look::Pressed ? 2 : 5;
    painter.setPen(Qt::NoPen);
    for (int layer = shadowLayers; layer >= 1; --layer) {
        constexpr int kShadowAlpha = 30;
        painter.setBrush(QColor(0, 0, 0, kShadowAlpha));
        painter.drawRoundedRect(plate.adjusted(-layer / 2.0, 1, layer / 2.0, layer + 1.5),
                                kPlateRadius + layer, kPlateRadius + layer);
    }
    // A warm glow ring marks the pointer over the button.
    if (look == Look::Hilite) {
        for (int ring = 4; ring >= 1; --ring) {
            constexpr int kGlowAlpha = 36;
            painter.setBrush(QColor(palette::kGold.red(), palette::kGold.green(),
                                    palette::kGold.blue(), kGlowAlpha));
            painter.drawRoundedRect(plate.adjusted(-ring, -ring, ring, ring), kPlateRadius + ring,
                                    kPlateRadius + ring);
        }
    }
    const QColor face = look == Look::Normal ? kIvory
                        : look == Look::Hilite ? kIvoryHilite
                                               : kIvoryPressed;
    QLinearGradient body(plate.topLeft(), plate.bottomLeft());
    if (look == Look::Pressed) {
        body.setColorAt(0.0, face.darker(108));
        body.setColorAt(1.0, face.lighter(104));
    } else {
        body.setColorAt(0.0, face.lighter(106));
        body.setColorAt(1.0, face.darker(110));
    }
    painter.setBrush(body);
    painter.setPen(QPen(palette::kGold.darker(look == Look::Hilite ? 105 : 135), 1.5));
    painter.drawRoundedRect(plate.adjusted(0.75, 0.75, -0.75, -0.75), kPlateRadius, kPlateRadius);
    if (look != Look::Pressed) {
        painter.setPen(QPen(QColor(255, 255, 255, 130), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(plate.adjusted(2.5, 2.5, -2.5, -2.5), kPlateRadius - 2,
                                kPlateRadius - 2);
    }
    const QColor ink = look == Look::Hilite ? palette::kWine : palette::kInk;
    PaintCentredText(painter, plate, label, SerifFont(kLabelSize, true), ink,
                     QColor(255, 255, 255, 150));
    return image;
}

void AddButton(ArtSet& art, const QString& name, const QString& backdrop, int top,
               const QString& label)
{
    const QImage page = art.value(backdrop);
    art[name] = Button(page, top, label, Look::Normal);
    art[name + QStringLiteral("hilite")] = Button(page, top, label, Look::Hilite);
    art[name + QStringLiteral("pressed")] = Button(page, top, label, Look::Pressed);
}

// The tab strip at the foot of the sidebar, window y 600 to 650.
constexpr int kStripTop = 600;
constexpr int kTabHeight = 50;
constexpr double kTabInset = 3.0;
constexpr double kTabRadius = 9.0;
constexpr int kTabLabelSize = 15;

enum class TabLook { Selected, Deselected, Hilite };

QImage Tab(int left, int width, const QString& label, TabLook look)
{
    QImage image = SidebarWood(QRect(left, kStripTop, width, kTabHeight));
    QPainter painter(&image);
    PrepareSmooth(painter);
    if (look != TabLook::Selected) {
        // Tabs not on show sit a step back: a darker strip under a seam line.
        painter.fillRect(image.rect(), QColor(0, 0, 0, 70));
        painter.fillRect(QRect(0, 0, width, 2), QColor(0, 0, 0, 90));
    }
    // The tab hangs from the page above; the selected one continues it.
    const double top = look == TabLook::Selected ? -kTabRadius : 2.0;
    const QRectF body(kTabInset, top, width - 2 * kTabInset, kTabHeight - kTabInset - top);
    QPainterPath shape;
    shape.addRoundedRect(body, kTabRadius, kTabRadius);
    const QColor fill = look == TabLook::Selected ? palette::kWalnutLight
                        : look == TabLook::Hilite ? palette::kWalnut.lighter(118)
                                                  : palette::kWalnutDark.lighter(112);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0.0, fill);
    shade.setColorAt(1.0, fill.darker(118));
    painter.setPen(QPen(look == TabLook::Selected ? palette::kGold.darker(115)
                                                  : palette::kWalnutDark.darker(140),
                        1.0));
    painter.setBrush(shade);
    painter.drawPath(shape);
    const QColor ink = look == TabLook::Selected ? palette::kCream
                       : look == TabLook::Hilite ? palette::kGold.lighter(125)
                                                 : QColor(0xA8, 0x95, 0x80);
    const QRectF labelArea(0, look == TabLook::Selected ? 0 : 3, width, kTabHeight - kTabInset);
    PaintCentredText(painter, labelArea, label,
                     SerifFont(kTabLabelSize, look != TabLook::Deselected, false), ink,
                     palette::kWalnutDark);
    return image;
}

void AddTab(ArtSet& art, int number, int left, int width, const QString& label)
{
    const QString name = QStringLiteral("sidebartab%1").arg(number);
    art[name] = Tab(left, width, label, TabLook::Selected);
    art[name + QStringLiteral("deselected")] = Tab(left, width, label, TabLook::Deselected);
    art[name + QStringLiteral("hilite")] = Tab(left, width, label, TabLook::Hilite);
}

} // namespace

void AddControlArt(ArtSet& art)
{
    AddButton(art, QStringLiteral("newpuzzle"), QStringLiteral("playtabbackground"), kNewPuzzleTop,
              QStringLiteral("New Puzzle"));
    AddButton(art, QStringLiteral("gethint"), QStringLiteral("playtabbackground"), kGetHintTop,
              QStringLiteral("Get Hint"));
    AddButton(art, QStringLiteral("quit"), QStringLiteral("playtabresetbackground"), kQuitTop,
              QStringLiteral("Quit"));

    // 67 + 66 + 67 fill the sidebar's 200 pixels.
    constexpr int kPlayWidth = 67;
    constexpr int kStatsWidth = 66;
    constexpr int kHelpWidth = 67;
    AddTab(art, 1, 0, kPlayWidth, QStringLiteral("Play"));
    AddTab(art, 2, kPlayWidth, kStatsWidth, QStringLiteral("Stats"));
    AddTab(art, 3, kPlayWidth + kStatsWidth, kHelpWidth, QStringLiteral("Help"));
}

#include "ArtStyle.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu/";
const char* const kFontFiles[] = {
    "DejaVuSerif.ttf",      "DejaVuSerif-Bold.ttf", "DejaVuSerif-Italic.ttf",
    "DejaVuSerif-BoldItalic.ttf", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
};

QString gSerifFamily;
QString gSansFamily;

constexpr int kShadowLayers = 6;
constexpr double kShadowStep = 1.0;
constexpr int kShadowAlpha = 14;

} // namespace

bool LoadArtFonts()
{
    for (const char* file : kFontFiles) {
        const QString path = QString::fromLatin1(kFontFolder) + QString::fromLatin1(file);
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) {
            std::fprintf(stderr, "artgen: cannot load font %s (install fonts-dejavu-core)\n",
                         qPrintable(path));
            return false;
        }
        const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
        if (QString::fromLatin1(file).startsWith(QLatin1String("DejaVuSerif"))) {
            gSerifFamily = family;
        } else {
            gSansFamily = family;
        }
    }
    return true;
}

QFont SerifFont(int pixelSize, bool bold, bool italic)
{
    QFont font(gSerifFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont SansFont(int pixelSize, bool bold)
{
    QFont font(gSansFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QImage NewPicture(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void PrepareSmooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

double Hash01(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u
                      + static_cast<std::uint32_t>(y) * 668265263u
                      + static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

void PaintGrain(QPainter& painter, const QRectF& area, const QColor& base,
                int streakSpacing, int strength)
{
    painter.save();
    painter.setClipRect(area);
    painter.setBrush(Qt::NoBrush);
    constexpr double kWaveStep = 8.0;
    const double twoPi = 2.0 * std::numbers::pi;
    int row = 0;
    for (double y = area.top(); y < area.bottom() + streakSpacing; y += streakSpacing, ++row) {
        const double phase = Hash01(row, 1, 7) * twoPi;
        const double amplitude = 1.0 + 2.5 * Hash01(row, 2, 7);
        const double wavelength = 140.0 + 160.0 * Hash01(row, 3, 7);
        const bool lighter = Hash01(row, 4, 7) < 0.5;
        const int shift = 2 + static_cast<int>(strength * Hash01(row, 5, 7));
        QColor colour = lighter ? base.lighter(100 + shift) : base.darker(100 + shift);
        QPainterPath streak;
        streak.moveTo(area.left(), y + amplitude * std::sin(phase));
        for (double x = area.left(); x <= area.right() + kWaveStep; x += kWaveStep) {
            streak.lineTo(x, y + amplitude * std::sin(phase + twoPi * x / wavelength));
        }
        painter.setPen(QPen(colour, 0.8 + 1.4 * Hash01(row, 6, 7)));
        painter.drawPath(streak);
    }
    painter.restore();
}

void PaintPanel(QPainter& painter, const QRectF& area, const QColor& fill, const QColor& edge,
                double radius)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int layer = kShadowLayers; layer >= 1; --layer) {
        const double grow = layer * kShadowStep;
        painter.setBrush(QColor(0, 0, 0, kShadowAlpha));
        painter.drawRoundedRect(area.adjusted(-grow / 2, 0, grow / 2, grow + 1), radius + grow,
                                radius + grow);
    }
    QLinearGradient body(area.topLeft(), area.bottomLeft());
    body.setColorAt(0.0, fill.lighter(103));
    body.setColorAt(1.0, fill.darker(104));
    painter.setBrush(body);
    painter.setPen(QPen(edge, 1.0));
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    painter.restore();
}

void PaintCentredText(QPainter& painter, const QRectF& area, const QString& text,
                      const QFont& font, const QColor& colour, const QColor& shadow)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(shadow);
    painter.drawText(area.translated(0, 1), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(area, Qt::AlignCenter, text);
    painter.restore();
}

void PaintBevelledPiece(QPainter& painter, const QPolygonF& outline, const QColor& colour,
                        double bevelWidth)
{
    painter.save();
    QPainterPath shape;
    shape.addPolygon(outline);
    shape.closeSubpath();
    const QRectF box = outline.boundingRect();

    QLinearGradient body(box.topLeft(), box.bottomRight());
    body.setColorAt(0.0, colour.lighter(112));
    body.setColorAt(1.0, colour.darker(110));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawPath(shape);

    // Each edge gets a rim whose brightness follows how squarely it faces a
    // light from the top left; clipping to the shape keeps the rim inside.
    painter.setClipPath(shape);
    const QPointF light(-std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2);
    double signedArea = 0.0;
    for (int i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i];
        const QPointF b = outline[(i + 1) % outline.size()];
        signedArea += a.x() * b.y() - b.x() * a.y();
    }
    const double turn = signedArea > 0 ? 1.0 : -1.0; // clockwise on screen when positive
    for (int i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i];
        const QPointF b = outline[(i + 1) % outline.size()];
        const QPointF d = b - a;
        const double length = std::hypot(d.x(), d.y());
        const QPointF outward(turn * d.y() / length, -turn * d.x() / length);
        const double facing = outward.x() * light.x() + outward.y() * light.y();
        QColor rim = facing > 0 ? colour.lighter(100 + static_cast<int>(45 * facing))
                                : colour.darker(100 + static_cast<int>(-40 * facing));
        painter.setPen(QPen(rim, 2 * bevelWidth, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(a, b);
    }
    painter.setPen(QPen(colour.darker(175), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.restore();
}

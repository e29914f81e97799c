#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMap>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPainter;

// The pictures drawn so far, by catalogue name.
using ArtSet = QMap<QString, QImage>;

// The game's palette: dark walnut for the sidebar, parchment for its panels,
// honey wood for the table, one clear colour per piece shape.
namespace palette {
inline const QColor kWalnut{0x3E, 0x2C, 0x21};
inline const QColor kWalnutLight{0x55, 0x3D, 0x2D};
inline const QColor kWalnutDark{0x2A, 0x1E, 0x17};
inline const QColor kParchment{0xF4, 0xEA, 0xD5};
inline const QColor kParchmentEdge{0xC9, 0xB0, 0x86};
inline const QColor kInk{0x4A, 0x38, 0x2B};
inline const QColor kCream{0xF0, 0xE3, 0xCE};
inline const QColor kGold{0xC9, 0xA0, 0x63};
inline const QColor kWine{0x8A, 0x3B, 0x3B};
inline const QColor kTableLight{0xDD, 0xC5, 0x9C};
inline const QColor kTableDark{0xC1, 0xA1, 0x72};
// One colour per piece shape; the two large and the two small triangles share.
inline const QColor kLargeTriangle{0x4A, 0x7F, 0xA7};
inline const QColor kMediumTriangle{0xD9, 0x9A, 0x3E};
inline const QColor kSmallTriangle{0x6E, 0x9E, 0x5B};
inline const QColor kRhombus{0x8C, 0x5A, 0x8F};
inline const QColor kSquare{0xC8, 0x55, 0x3D};
} // namespace palette

// Fonts come from the DejaVu files themselves, so the art looks the same on
// every machine whatever fontconfig would pick.
bool LoadArtFonts();
QFont SerifFont(int pixelSize, bool bold = false, bool italic = false);
QFont SansFont(int pixelSize, bool bold = false);

// A new opaque picture, and a painter set up for smooth drawing.
QImage NewPicture(int width, int height, const QColor& fill);
void PrepareSmooth(QPainter& painter);

// A quiet grain texture: thin wavy streaks a few shades off the base colour,
// the same on every run.
void PaintGrain(QPainter& painter, const QRectF& area, const QColor& base,
                int streakSpacing, int strength);

// A rounded panel with a soft shadow below it.
void PaintPanel(QPainter& painter, const QRectF& area, const QColor& fill,
                const QColor& edge, double radius);

// Text centred on a point's line, with a faint shadow under it for depth.
void PaintCentredText(QPainter& painter, const QRectF& area, const QString& text,
                      const QFont& font, const QColor& colour, const QColor& shadow);

// A convex piece outline filled with its colour, lit from the top left: a
// lighter rim on the edges facing the light, a darker one on the others and a
// thin dark line around, so that touching pieces stay apart.
void PaintBevelledPiece(QPainter& painter, const QPolygonF& outline, const QColor& colour,
                        double bevelWidth);

// Deterministic pseudo-random value in [0, 1) for texture work.
double Hash01(int x, int y, int seed);

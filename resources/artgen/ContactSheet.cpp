#include "ContactSheet.h"

#include "PieceArt.h"

#include <QPainter>

namespace {

// A picture seen through its mask: black shows, white hides.
QImage Masked(const QImage& picture, const QImage& mask)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage grey = mask.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < out.height() && y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width() && x < grey.width(); ++x) {
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]),
                            255 - grey.constScanLine(y)[x]);
        }
    }
    return out;
}

QImage Solid(const QSize& size, const QColor& colour, const QImage& mask)
{
    return Masked(NewPicture(size.width(), size.height(), colour), mask);
}

const QColor kFigureRed(0x2A, 0x00, 0x00);

struct Placed {
    QString name;
    int x;
    int y;
};

void DrawPiece(QPainter& painter, const ArtSet& art, const Placed& piece, QPoint origin)
{
    painter.drawImage(origin + QPoint(piece.x, piece.y),
                      Masked(art.value(piece.name), art.value(piece.name + QStringLiteral("mask"))));
}

} // namespace

QImage WindowMockup(const ArtSet& art)
{
    constexpr int kWidth = 1000;
    constexpr int kHeight = 650;
    constexpr int kTableLeft = 200;
    QImage window = NewPicture(kWidth, kHeight, Qt::black);
    QPainter painter(&window);
    painter.drawImage(0, 0, art.value(QStringLiteral("sidebartopbackground")));

    // The card shows a small figure: two large triangles forming a square
    // with a hinted square on top.
    QImage card = art.value(QStringLiteral("puzzlecard"));
    {
        QPainter cardPainter(&card);
        const Placed figure[] = {{QStringLiteral("largetriangle2"), 0, 0},
                                 {QStringLiteral("largetriangle6"), 0, 0},
                                 {QStringLiteral("square1"), 60, 180},
                                 {QStringLiteral("smalltriangle2"), 150, 180}};
        constexpr int kOffset = 40;
        for (int i = 0; i < 4; ++i) {
            const QString mask = (i == 2 ? QStringLiteral("hint") : QStringLiteral("card"))
                                 + figure[i].name + QStringLiteral("mask");
            const QImage m = art.value(mask);
            cardPainter.drawImage(kOffset + figure[i].x / kCardScale,
                                  kOffset + figure[i].y / kCardScale - 16,
                                  Solid(m.size(), kFigureRed, m));
        }
    }
    painter.drawImage(20, 129, card);
    painter.drawImage(0, 298, art.value(QStringLiteral("playtabbackground")));
    painter.drawImage(0, 319, art.value(QStringLiteral("newpuzzle")));
    painter.drawImage(0, 432, art.value(QStringLiteral("gethinthilite")));
    painter.drawImage(0, 600, art.value(QStringLiteral("sidebartab1")));
    painter.drawImage(67, 600, art.value(QStringLiteral("sidebartab2hilite")));
    painter.drawImage(133, 600, art.value(QStringLiteral("sidebartab3deselected")));

    painter.drawImage(kTableLeft, 0, art.value(QStringLiteral("tablebackground")));
    const QPoint table(kTableLeft, 0);
    // A faint figure shadow as the table shows it (dark red through 0xD6).
    {
        const QImage m = art.value(QStringLiteral("largetriangle4mask"));
        QImage grey = m.copy();
        for (int y = 0; y < grey.height(); ++y) {
            for (int x = 0; x < grey.width(); ++x) {
                constexpr int kShadowGrey = 0xD6;
                uchar& v = grey.scanLine(y)[x];
                v = v == 255 ? 255 : static_cast<uchar>(kShadowGrey + (255 - kShadowGrey) * v / 255);
            }
        }
        painter.drawImage(table + QPoint(260, 190), Solid(m.size(), QColor(0x66, 0, 0), grey));
    }
    const Placed start[] = {{QStringLiteral("square1"), 10, 10},
                            {QStringLiteral("rhombus4"), 470, -40},
                            {QStringLiteral("mediumtriangle6"), 630, -30},
                            {QStringLiteral("smalltriangle1"), 150, -10},
                            {QStringLiteral("smalltriangle1"), 310, -10},
                            {QStringLiteral("largetriangle8"), 570, 420},
                            {QStringLiteral("largetriangle2"), -50, 420},
                            // Two more to see touching pieces of one colour.
                            {QStringLiteral("smalltriangle2"), 300, 300},
                            {QStringLiteral("smalltriangle6"), 340, 260}};
    for (const Placed& piece : start) {
        DrawPiece(painter, art, piece, table);
    }
    const QImage note = art.value(QStringLiteral("winnote"));
    painter.drawImage(table + QPoint(400 - note.width() / 2, 130),
                      Masked(note, art.value(QStringLiteral("winnotemask"))));
    painter.drawImage(table + QPoint(522, 0),
                      Masked(art.value(QStringLiteral("overlapnote")),
                             art.value(QStringLiteral("overlapnotemask"))));
    return window;
}

QImage ContactSheet(const ArtSet& art)
{
    constexpr int kWidth = 1500;
    constexpr int kHeight = 1500;
    constexpr int kGap = 12;
    QImage sheet = NewPicture(kWidth, kHeight, QColor(0x80, 0x80, 0x80));
    QPainter painter(&sheet);
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    auto place = [&](const QImage& image) {
        if (x + image.width() > kWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        painter.drawImage(x, y, image);
        x += image.width() + kGap;
        rowHeight = std::max(rowHeight, image.height());
    };
    const QString names[] = {QStringLiteral("about"), QStringLiteral("statstabbackground"),
                             QStringLiteral("helptabbackground"),
                             QStringLiteral("playtabresetbackground")};
    for (const QString& name : names) {
        QImage image = art.value(name);
        if (name == QStringLiteral("statstabbackground")) {
            QPainter numbers(&image);
            numbers.setFont(SerifFont(14, true, true));
            numbers.setPen(QColor(0x33, 0x2B, 0x28));
            const int rows[] = {68, 93, 111, 129, 147, 165, 183, 201, 219, 243};
            for (int baseline : rows) {
                numbers.drawText(123, baseline, baseline == 243 ? QStringLiteral("30")
                                                                : QStringLiteral("0"));
            }
        }
        if (name == QStringLiteral("playtabresetbackground")) {
            QPainter quit(&image);
            quit.drawImage(0, 133, art.value(QStringLiteral("quitpressed")));
        }
        place(image);
    }
    for (const QString& stem : {QStringLiteral("newpuzzle"), QStringLiteral("gethint"),
                               QStringLiteral("quit")}) {
        place(art.value(stem));
        place(art.value(stem + QStringLiteral("hilite")));
        place(art.value(stem + QStringLiteral("pressed")));
    }
    for (int tab = 1; tab <= 3; ++tab) {
        const QString name = QStringLiteral("sidebartab%1").arg(tab);
        place(art.value(name));
        place(art.value(name + QStringLiteral("deselected")));
        place(art.value(name + QStringLiteral("hilite")));
    }
    place(Masked(art.value(QStringLiteral("completenote")), art.value(QStringLiteral("winnotemask"))));
    const QStringList pieces = {QStringLiteral("largetriangle"), QStringLiteral("mediumtriangle"),
                                QStringLiteral("rhombus"), QStringLiteral("smalltriangle"),
                                QStringLiteral("square")};
    for (const QString& stem : pieces) {
        for (int k = 1; k <= 8 && art.contains(stem + QString::number(k)); ++k) {
            const QString name = stem + QString::number(k);
            const QImage piece = Masked(art.value(name), art.value(name + QStringLiteral("mask")));
            QImage cell = art.value(QStringLiteral("tablebackground"))
                              .copy(0, 0, piece.width(), piece.height());
            QPainter(&cell).drawImage(0, 0, piece);
            place(cell.scaled(cell.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            QImage cards = art.value(QStringLiteral("puzzlecard")).copy(0, 0, 130, 64);
            {
                QPainter cp(&cards);
                const QImage c = art.value(QStringLiteral("card") + name + QStringLiteral("mask"));
                const QImage h = art.value(QStringLiteral("hint") + name + QStringLiteral("mask"));
                cp.drawImage(4, 4, Solid(c.size(), kFigureRed, c));
                cp.drawImage(68, 4, Solid(h.size(), kFigureRed, h));
            }
            place(cards);
        }
    }
    return sheet;
}

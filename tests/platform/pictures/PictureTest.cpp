#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/pictures/Picture.h"

#include <QPainter>
#include <QRandomGenerator>
#include <climits>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using platform::Graphics;
using platform::Picture;

namespace {

constexpr QRgb kBackdrop = 0xFF0A141E;
constexpr QRgb kInk = 0xFFC86432;

// Pixel (x, y) of a numbered picture: every pixel differs, so a misplaced one shows.
QRgb Number(int x, int y)
{
    return qRgb(10 * x + 1, 10 * y + 1, 77);
}

std::shared_ptr<Picture> Numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, Number(x, y));
        }
    }
    return std::make_shared<Picture>(image);
}

// What a mask grey m makes of colour src drawn over dst: black shows src,
// white leaves dst, a grey keeps m/255 of dst.
QRgb Mix(QRgb src, QRgb dst, int m)
{
    const auto mix = [m](int s, int d) { return (s * (255 - m) + d * m + 127) / 255; };
    return qRgb(mix(qRed(src), qRed(dst)), mix(qGreen(src), qGreen(dst)), mix(qBlue(src), qBlue(dst)));
}

// Every pixel of image is as expected(x, y) says, each channel within slack.
void ExpectPixels(const QImage& image, const std::function<QRgb(int, int)>& expected, int slack = 0)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y);
            const QRgb want = expected(x, y);
            for (int shift : {0, 8, 16, 24}) {
                ASSERT_LE(std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)), slack)
                    << std::hex << got << " instead of " << want << std::dec << " at " << x << "," << y;
            }
        }
    }
}

} // namespace

// Random greys, black, white and grey in about equal share, mask a picture
// of random colours (written into its mask plane) and one of a single colour
// (masked by the greys as art). Drawn half off the target onto each kind of
// 32-bit surface, black shows, white hides and grey blends on every pixel,
// landing exactly as the composite drawn with QPainter does.
TEST(PictureTest, BlackShowsWhiteHidesAndGreyBlendsOnEveryPixel)
{
    QRandomGenerator random(42);
    constexpr int kSize = 37;
    QImage greys(kSize, kSize, QImage::Format_Grayscale8);
    auto colours = std::make_shared<Picture>(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            colours->ImageForWriting().setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
            const int pick = random.bounded(4);
            const int m = pick == 0 ? 0 : pick == 1 ? 255 : random.bounded(256);
            greys.scanLine(y)[x] = static_cast<uchar>(m);
            colours->Mask()->ImageForWriting().setPixel(x, y, qRgb(m, m, m));
        }
    }
    colours->Changed();
    colours->Mask()->Changed();
    auto oneColour = Picture::Filled(kSize, kSize, kInk);
    const Picture maskArt(greys);
    oneColour->Mask()->Graphics().DrawPicture(&maskArt, 0, 0);

    for (const auto& piece : {colours, oneColour}) {
        for (QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32}) {
            for (const QPoint at : {QPoint(20, -5), QPoint(-9, 12)}) {
                SCOPED_TRACE(testing::Message() << format << " at " << at.x() << "," << at.y());
                QImage surface(40, 40, format);
                surface.fill(kBackdrop);
                QImage expected = surface.copy();
                Graphics(&surface, nullptr).DrawPicture(piece.get(), at.x(), at.y());
                ExpectPixels(surface, [&](int x, int y) {
                    const QPoint p = QPoint(x, y) - at;
                    return QRect(0, 0, kSize, kSize).contains(p)
                        ? Mix(piece->Image().pixel(p), kBackdrop, qRed(greys.pixel(p)))
                        : kBackdrop;
                }, 1);
                QPainter(&expected).drawImage(at, piece->Composited());
                EXPECT_EQ(surface, expected);
            }
        }
    }
}

TEST(PictureTest, SourceRectanglesAndScalingLandOnWholePixels)
{
    // A source rectangle reaching past the picture draws only what exists;
    // empty and negative sizes draw nothing.
    auto source = Numbered(4, 4);
    auto target = Picture::Filled(10, 10, kBackdrop);
    target->Graphics().DrawPicture(source.get(), 5, 4, 2, 3, 1, -1, 2, 3);
    target->Graphics().DrawPicture(source.get(), 0, 0, 0, 4);
    target->Graphics().DrawPicture(source.get(), 0, 0, -3, -3);
    ExpectPixels(target->Image(),
                 [](int x, int y) { return QRect(5, 5, 2, 2).contains(x, y) ? Number(x - 4, y - 5) : kBackdrop; });

    // Doubling: every source pixel becomes a 2 x 2 block, and a stretched
    // mask keeps its hidden pixels hidden.
    source->Mask()->Graphics().SetForeColor(0xFFFFFF);
    source->Mask()->Graphics().FillRect(0, 0, 1, 4);
    target->Graphics().DrawPicture(source.get(), 0, 0, 8, 8);
    ExpectPixels(target->Image(),
                 [](int x, int y) { return QRect(2, 0, 6, 8).contains(x, y) ? Number(x / 2, y / 2) : kBackdrop; });
}

TEST(PictureTest, DrawsAndFillsClipAtTheTargetsEdgesAndNoPictureDrawsNothing)
{
    auto source = Numbered(4, 4);
    QImage surface = Picture::Filled(4, 4, kBackdrop)->Image();
    std::vector<QRect> touched;
    Graphics g(&surface, [&touched](const QRect& r) { touched.push_back(r); });

    g.DrawPicture(source.get(), -2, -1);
    ExpectPixels(surface, [](int x, int y) { return x < 2 && y < 3 ? Number(x + 2, y + 1) : kBackdrop; });
    g.DrawPicture(source.get(), 3, 3);
    EXPECT_EQ(surface.pixel(3, 3), Number(0, 0));

    // Far off or wholly outside: nothing drawn, no change reported.
    g.DrawPicture(source.get(), INT_MAX - 1, INT_MIN + 1);
    g.DrawPicture(source.get(), -4, 0);
    g.SetForeColor(0x123456);
    g.FillRect(4, 0, 5, 5);
    g.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);

    // Nor does an empty picture; a missing one raises.
    Picture empty(0, -5);
    EXPECT_EQ(empty.Mask()->Height(), 0);
    g.DrawPicture(&empty, 0, 0);
    EXPECT_THROW(g.DrawPicture(nullptr, 0, 0), platform::NilObjectException);

    g.FillRect(-10, 2, 12, 100);
    EXPECT_EQ(surface.pixel(1, 3), 0xFF123456u);
    EXPECT_EQ(surface.pixel(2, 3), kBackdrop);
    EXPECT_EQ(touched, (std::vector<QRect>{QRect(0, 0, 2, 3), QRect(3, 3, 1, 1), QRect(0, 2, 2, 2)}));
}

TEST(PictureTest, DrawingIntoAMaskChangesItAndRefreshesTheComposite)
{
    auto piece = Picture::Filled(4, 4, kInk);
    auto mask = piece->Mask();
    mask->Graphics().SetForeColor(0xFFFFFF);
    mask->Graphics().FillRect(0, 0, 1, 1);
    Picture::Filled(4, 4, kBackdrop)->Graphics().DrawPicture(piece.get(), 0, 0); // builds the composite

    // White hides, and a mask picture drawn through its own mask copies
    // only its shown part.
    mask->Graphics().FillRect(0, 0, 4, 4);
    auto hole = Picture::Filled(2, 2, 0x000000);
    hole->Mask()->Graphics().SetForeColor(0xFFFFFF);
    hole->Mask()->Graphics().FillRect(1, 0, 1, 2);
    mask->Graphics().DrawPicture(hole.get(), 1, 1);
    auto table = Picture::Filled(4, 4, kBackdrop);
    table->Graphics().DrawPicture(piece.get(), 0, 0);
    ExpectPixels(table->Image(), [](int x, int y) { return x == 1 && y >= 1 && y <= 2 ? kInk : kBackdrop; });

    // Writing the colour plane directly refreshes the composite too.
    piece->ImageForWriting().setPixel(1, 2, 0xFF00FF00);
    piece->Changed();
    table->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(table->Image().pixel(1, 2), 0xFF00FF00u);

    // A mask kept after its picture is gone can still be drawn into.
    std::shared_ptr<Picture> orphan = Picture::Filled(2, 2, kInk)->Mask();
    orphan->Graphics().FillRect(0, 0, 2, 2);
    EXPECT_EQ(orphan->Image().pixel(0, 0), 0xFF000000u);
}

// A picture drawn into its own planes reads every pixel before it writes it.
// Moved within itself (as it stands, as grey art, or doubled), each pixel
// lands where the move puts it and the rest stays; drawn into its own grey
// mask, each mask grey m becomes the picture's colour through m over grey m.
TEST(PictureTest, APictureDrawnIntoItsOwnPlanesReadsEveryPixelBeforeWritingIt)
{
    constexpr int kSide = 4;
    QImage greyArt(kSide, kSide, QImage::Format_Grayscale8);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            greyArt.scanLine(y)[x] = static_cast<uchar>(40 * y + 10 * x + 5);
        }
    }
    struct Move {
        QPoint at;
        int scale;
    };
    for (const bool grey : {false, true}) {
        for (const Move& move : {Move{{0, 1}, 1}, Move{{1, 1}, 1}, Move{{1, -1}, 1}, Move{{0, 0}, 2}}) {
            SCOPED_TRACE(testing::Message() << "grey " << grey << " to " << move.at.x() << "," << move.at.y()
                                            << " times " << move.scale);
            const auto picture = grey ? std::make_shared<Picture>(greyArt.copy()) : Numbered(kSide, kSide);
            const QImage before = picture->Image().convertToFormat(QImage::Format_RGB32);
            picture->Graphics().DrawPicture(picture.get(), move.at.x(), move.at.y(), kSide * move.scale,
                                            kSide * move.scale);
            ExpectPixels(picture->Image(), [&](int x, int y) {
                const QPoint from((x - move.at.x()) / move.scale, (y - move.at.y()) / move.scale);
                const bool moved = x >= move.at.x() && y >= move.at.y() && before.rect().contains(from);
                return moved ? before.pixel(from) : before.pixel(x, y);
            });
        }
    }

    // One colour (drawn from the colour and the mask's runs) and many (drawn
    // through a composite).
    for (const bool oneColour : {true, false}) {
        const auto colour = [oneColour](int x, int y) { return oneColour ? QRgb(0xFFFF0000) : Number(x, y); };
        auto picture = oneColour ? Picture::Filled(kSide, kSide, 0xFF0000) : Numbered(kSide, kSide);
        const Picture maskArt(greyArt);
        picture->Mask()->Graphics().DrawPicture(&maskArt, 0, 0);
        Picture(kSide, kSide).Graphics().DrawPicture(picture.get(), 0, 0); // drawn once before
        picture->Mask()->Graphics().DrawPicture(picture.get(), 0, 0);
        ExpectPixels(picture->Mask()->Image(), [&](int x, int y) {
            const int m = greyArt.constScanLine(y)[x];
            return Mix(colour(x, y), qRgb(m, m, m), m);
        }, 1);
    }
    // Red through and over grey 0x80: 127 + 64 red, 64 green and blue.
    const auto red = Picture::Filled(1, 1, 0xFF0000);
    QImage half(1, 1, QImage::Format_Grayscale8);
    half.fill(0x80);
    red->Mask()->Graphics().DrawPicture(std::make_shared<Picture>(half).get(), 0, 0);
    red->Mask()->Graphics().DrawPicture(red.get(), 0, 0);
    EXPECT_EQ(red->Mask()->Image().pixel(0, 0), 0xFFBF4040u);
}

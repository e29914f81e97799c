#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/Picture.h"

#include <QRandomGenerator>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

using platform::Graphics;
using platform::Picture;

namespace {

constexpr QRgb kBackdrop = 0xFF0A141E;
constexpr QRgb kInk = 0xFFC86432;

std::shared_ptr<Picture> Filled(int w, int h, QRgb colour)
{
    auto picture = std::make_shared<Picture>(w, h);
    picture->Graphics().SetForeColor(colour & 0xFFFFFF);
    picture->Graphics().FillRect(0, 0, w, h);
    return picture;
}

// What a mask grey m makes of source s over destination d, per channel.
bool Blended(QRgb got, QRgb src, QRgb dst, int m)
{
    auto channel = [m](int s, int d) { return (s * (255 - m) + d * m) / 255.0; };
    return std::abs(qRed(got) - channel(qRed(src), qRed(dst))) <= 1.0
        && std::abs(qGreen(got) - channel(qGreen(src), qGreen(dst))) <= 1.0
        && std::abs(qBlue(got) - channel(qBlue(src), qBlue(dst))) <= 1.0;
}

QRgb Pixel(Picture& p, int x, int y)
{
    return p.Image().pixel(x, y);
}

// A picture whose every pixel differs, so a misplaced pixel shows.
std::shared_ptr<Picture> Numbered(int w, int h)
{
    auto picture = std::make_shared<Picture>(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture->ImageForWriting().setPixel(x, y, qRgb(10 * x + 1, 10 * y + 1, 77));
        }
    }
    picture->Changed();
    return picture;
}

} // namespace

TEST(PictureTest, BlackShowsWhiteHidesAndGreyBlendsOnEveryPixel)
{
    auto plain = Filled(2, 1, kInk);
    auto table = Filled(2, 1, kBackdrop);
    table->Graphics().DrawPicture(plain.get(), 0, 0);
    EXPECT_EQ(Pixel(*table, 1, 0), kInk) << "without a mask the whole picture shows";
    EXPECT_EQ(Pixel(*plain->Mask(), 1, 0), 0xFF000000u) << "a fresh mask shows everything";

    // Random colours, with black, white and grey mask pixels in about equal
    // share, drawn half off the target, onto each kind of 32-bit surface.
    QRandomGenerator random(42);
    constexpr int kSize = 37;
    auto piece = std::make_shared<Picture>(kSize, kSize);
    auto mask = piece->Mask();
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            piece->ImageForWriting().setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
            const int pick = random.bounded(4);
            const int m = pick == 0 ? 0 : pick == 1 ? 255 : random.bounded(256);
            mask->ImageForWriting().setPixel(x, y, qRgb(m, m, m));
        }
    }
    piece->Changed();
    mask->Changed();

    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_ARGB32}) {
        QImage surface(50, 40, format);
        surface.fill(kBackdrop);
        Graphics g(&surface, nullptr);
        g.DrawPicture(piece.get(), 20, -5);
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                const int sx = x - 20;
                const int sy = y + 5;
                if (sx < 0 || sy >= kSize) {
                    ASSERT_EQ(surface.pixel(x, y), kBackdrop) << x << "," << y;
                    continue;
                }
                const int m = qRed(mask->Image().pixel(sx, sy));
                ASSERT_TRUE(Blended(surface.pixel(x, y), piece->Image().pixel(sx, sy), kBackdrop, m))
                    << "format " << format << " at " << x << "," << y;
            }
        }
    }
}

TEST(PictureTest, SourceRectanglesAndScalingLandOnWholePixels)
{
    auto source = Numbered(4, 4);
    auto target = Filled(10, 10, kBackdrop);
    target->Graphics().DrawPicture(source.get(), 5, 5, 2, 1, 1, 2, 2, 1);
    EXPECT_EQ(Pixel(*target, 5, 5), Pixel(*source, 1, 2));
    EXPECT_EQ(Pixel(*target, 6, 5), Pixel(*source, 2, 2));
    EXPECT_EQ(Pixel(*target, 7, 5), kBackdrop);
    EXPECT_EQ(Pixel(*target, 5, 6), kBackdrop);

    // Doubling: every source pixel becomes a 2 x 2 block, and a stretched
    // mask keeps its hidden pixels hidden.
    source->Mask()->Graphics().SetForeColor(0xFFFFFF);
    source->Mask()->Graphics().FillRect(0, 0, 1, 4);
    target->Graphics().DrawPicture(source.get(), 0, 0, 8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(Pixel(*target, x, y), x < 2 ? kBackdrop : Pixel(*source, x / 2, y / 2)) << x << "," << y;
        }
    }

    // A source rectangle reaching past the picture draws only what exists;
    // empty and negative sizes draw nothing.
    auto edge = Filled(4, 4, kBackdrop);
    edge->Graphics().DrawPicture(Numbered(2, 2).get(), 0, 0, 4, 4, -2, -2, 4, 4);
    edge->Graphics().DrawPicture(source.get(), 0, 0, 0, 4);
    edge->Graphics().DrawPicture(source.get(), 0, 0, -3, -3);
    EXPECT_EQ(Pixel(*edge, 0, 0), kBackdrop);
    EXPECT_EQ(Pixel(*edge, 3, 3), qRgb(11, 11, 77));
}

TEST(PictureTest, DrawsAndFillsClipAtTheTargetsEdges)
{
    auto source = Numbered(4, 4);
    QImage surface = Filled(4, 4, kBackdrop)->Image();
    std::vector<QRect> touched;
    Graphics g(&surface, [&touched](const QRect& r) { touched.push_back(r); });

    g.DrawPicture(source.get(), -2, -1);
    EXPECT_EQ(surface.pixel(0, 0), Pixel(*source, 2, 1));
    EXPECT_EQ(surface.pixel(1, 2), Pixel(*source, 3, 3));
    EXPECT_EQ(surface.pixel(2, 0), kBackdrop);
    EXPECT_EQ(surface.pixel(0, 3), kBackdrop);
    ASSERT_EQ(touched.size(), 1u);
    EXPECT_EQ(touched.back(), QRect(0, 0, 2, 3));

    g.DrawPicture(source.get(), 3, 3);
    EXPECT_EQ(surface.pixel(3, 3), Pixel(*source, 0, 0));
    EXPECT_EQ(touched.back(), QRect(3, 3, 1, 1));

    // Far off or wholly outside: nothing drawn, no change reported.
    g.DrawPicture(source.get(), INT_MAX - 1, INT_MIN + 1);
    g.DrawPicture(source.get(), -4, 0);
    g.SetForeColor(0x123456);
    g.FillRect(4, 0, 5, 5);
    g.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(touched.size(), 2u);

    g.FillRect(-10, 2, 12, 100);
    EXPECT_EQ(touched.back(), QRect(0, 2, 2, 2));
    EXPECT_EQ(surface.pixel(1, 3), 0xFF123456u);
    EXPECT_EQ(surface.pixel(2, 3), kBackdrop);
}

TEST(PictureTest, DrawingIntoAMaskChangesItAndRefreshesTheComposite)
{
    auto piece = Filled(4, 4, kInk);
    auto table = Filled(4, 4, kBackdrop);
    table->Graphics().DrawPicture(piece.get(), 0, 0); // builds the cache

    // White hides, and a mask picture drawn through its own mask copies
    // only its shown part.
    auto mask = piece->Mask();
    mask->Graphics().SetForeColor(0xFFFFFF);
    mask->Graphics().FillRect(0, 0, 4, 4);
    auto hole = Filled(2, 2, 0x000000);
    hole->Mask()->Graphics().SetForeColor(0xFFFFFF);
    hole->Mask()->Graphics().FillRect(1, 0, 1, 2);
    mask->Graphics().DrawPicture(hole.get(), 1, 1);
    EXPECT_EQ(Pixel(*mask, 1, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(*mask, 2, 1), 0xFFFFFFFFu);

    table = Filled(4, 4, kBackdrop);
    table->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(Pixel(*table, 0, 0), kBackdrop);
    EXPECT_EQ(Pixel(*table, 1, 1), kInk);
    EXPECT_EQ(Pixel(*table, 2, 1), kBackdrop);

    // Writing the colour plane directly refreshes the composite too.
    piece->ImageForWriting().setPixel(1, 2, 0xFF00FF00);
    piece->Changed();
    table->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(Pixel(*table, 1, 2), 0xFF00FF00u);
}

TEST(PictureTest, MissingAndEmptyPicturesFailSafely)
{
    auto target = Filled(4, 4, kBackdrop);
    EXPECT_THROW(target->Graphics().DrawPicture(nullptr, 0, 0), platform::NilObjectException);

    Picture empty(0, -5);
    EXPECT_EQ(empty.Mask()->Height(), 0);
    target->Graphics().DrawPicture(&empty, 0, 0);
    EXPECT_EQ(Pixel(*target, 0, 0), kBackdrop);
    // A mask kept after its picture is gone can still be drawn into.
    std::shared_ptr<Picture> orphan = Filled(2, 2, kInk)->Mask();
    orphan->Graphics().FillRect(0, 0, 2, 2);
    EXPECT_EQ(Pixel(*orphan, 0, 0), 0xFF000000u);
}

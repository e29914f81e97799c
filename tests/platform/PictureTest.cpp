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

TEST(PictureTest, MaskGreysDecideHowMuchOfThePictureShows)
{
    auto piece = Filled(3, 1, kInk);
    EXPECT_FALSE(piece->HasMask());
    auto mask = piece->Mask();
    EXPECT_EQ(Pixel(*mask, 2, 0), 0xFF000000u) << "a fresh mask shows everything";
    constexpr int kGrey = 0x80;
    mask->ImageForWriting().setPixel(1, 0, 0xFFFFFFFF);
    mask->ImageForWriting().setPixel(2, 0, qRgb(kGrey, kGrey, kGrey));
    mask->Changed();

    auto table = Filled(3, 1, kBackdrop);
    table->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(Pixel(*table, 0, 0), kInk);
    EXPECT_EQ(Pixel(*table, 1, 0), kBackdrop);
    EXPECT_TRUE(Blended(Pixel(*table, 2, 0), kInk, kBackdrop, kGrey));
    EXPECT_EQ(qAlpha(piece->Composited().pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(piece->Composited().pixel(2, 0)), 255 - kGrey);

    // Without a mask the whole picture is drawn.
    auto plain = Filled(3, 1, kInk);
    table->Graphics().DrawPicture(plain.get(), 0, 0);
    EXPECT_EQ(Pixel(*table, 1, 0), kInk);
    EXPECT_FALSE(plain->HasMask());
}

TEST(PictureTest, EveryPixelOfANaturalSizeDrawMatchesTheBlend)
{
    // Random colours and greys with long black and white stretches, drawn
    // half off the target, onto both kinds of 32-bit surface.
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

    // Doubling: every source pixel becomes a 2 x 2 block.
    target->Graphics().DrawPicture(source.get(), 0, 0, 8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(Pixel(*target, x, y), Pixel(*source, x / 2, y / 2)) << x << "," << y;
        }
    }
    // A stretched mask keeps its hidden pixels hidden.
    source->Mask()->Graphics().SetForeColor(0xFFFFFF);
    source->Mask()->Graphics().FillRect(0, 0, 1, 4);
    auto stretched = Filled(8, 4, kBackdrop);
    stretched->Graphics().DrawPicture(source.get(), 0, 0, 8, 4);
    EXPECT_EQ(Pixel(*stretched, 1, 0), kBackdrop);
    EXPECT_EQ(Pixel(*stretched, 2, 0), Pixel(*source, 1, 0));

    // A source rectangle reaching past the picture draws only what exists.
    auto edge = Filled(4, 4, kBackdrop);
    edge->Graphics().DrawPicture(Numbered(2, 2).get(), 0, 0, 4, 4, -2, -2, 4, 4);
    EXPECT_EQ(Pixel(*edge, 0, 0), kBackdrop);
    EXPECT_EQ(Pixel(*edge, 3, 3), qRgb(11, 11, 77));

    // Empty and negative sizes draw nothing.
    auto untouched = Filled(4, 4, kBackdrop);
    untouched->Graphics().DrawPicture(source.get(), 0, 0, 0, 4);
    untouched->Graphics().DrawPicture(source.get(), 0, 0, -3, -3);
    EXPECT_EQ(Pixel(*untouched, 0, 0), kBackdrop);
}

TEST(PictureTest, DrawsAndFillsClipAtTheTargetsEdges)
{
    auto source = Numbered(4, 4);
    auto target = Filled(4, 4, kBackdrop);
    std::vector<QRect> touched;
    QImage surface = target->Image();
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
    auto first = Filled(4, 4, kBackdrop);
    first->Graphics().DrawPicture(piece.get(), 0, 0); // builds the cache

    // A silhouette mask: white hides, and a mask picture drawn through its
    // own mask copies only its shown part.
    auto mask = piece->Mask();
    mask->Graphics().SetForeColor(0xFFFFFF);
    mask->Graphics().FillRect(0, 0, 4, 4);
    auto hole = Filled(2, 2, 0x000000);
    hole->Mask()->Graphics().SetForeColor(0xFFFFFF);
    hole->Mask()->Graphics().FillRect(1, 0, 1, 2);
    mask->Graphics().DrawPicture(hole.get(), 1, 1);
    EXPECT_EQ(Pixel(*mask, 1, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(*mask, 2, 1), 0xFFFFFFFFu);

    auto second = Filled(4, 4, kBackdrop);
    second->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(Pixel(*second, 0, 0), kBackdrop);
    EXPECT_EQ(Pixel(*second, 1, 1), kInk);
    EXPECT_EQ(Pixel(*second, 2, 1), kBackdrop);

    // Writing the colour plane directly refreshes the composite too.
    piece->ImageForWriting().setPixel(1, 2, 0xFF00FF00);
    piece->Changed();
    second->Graphics().DrawPicture(piece.get(), 0, 0);
    EXPECT_EQ(Pixel(*second, 1, 2), 0xFF00FF00u);

    // A picture drawn into itself reads its earlier state.
    auto self = Numbered(4, 4);
    const QRgb corner = Pixel(*self, 0, 0);
    self->Graphics().DrawPicture(self.get(), 1, 1);
    EXPECT_EQ(Pixel(*self, 1, 1), corner);
}

TEST(PictureTest, MissingAndOddPicturesFailSafely)
{
    auto target = Filled(4, 4, kBackdrop);
    EXPECT_THROW(target->Graphics().DrawPicture(nullptr, 0, 0), platform::NilObjectException);
    Graphics noPlane(nullptr, nullptr);
    EXPECT_THROW(noPlane.FillRect(0, 0, 1, 1), platform::NilObjectException);

    // Empty pictures draw nothing; a mask kept after its picture is gone
    // can still be drawn into.
    Picture empty(0, -5);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Mask()->Height(), 0);
    target->Graphics().DrawPicture(&empty, 0, 0);
    std::shared_ptr<Picture> orphan = Filled(2, 2, kInk)->Mask();
    orphan->Graphics().FillRect(0, 0, 2, 2);
    EXPECT_EQ(Pixel(*orphan, 0, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(*target, 0, 0), kBackdrop);
}

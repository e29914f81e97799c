#include "platform/pictures/Graphics.h"
#include "platform/pictures/Picture.h"

#include <QImage>
#include <gtest/gtest.h>

// Built-in masks are grey, one byte a pixel, and read-only: a mask plane
// shares them until it is drawn into, and a fresh mask is filled black only
// when something needs its pixels.
constexpr int kSide = 4;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kInk = 0xFF336699;

// A read-only grey mask over const data: the left half black, the right white.
const uchar kGreyMask[kSide * kSide] = {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255};

TEST(PlaneSharingTest, AMaskSharesGreyArtUntilDrawnIntoAndNeverWritesTheArt)
{
    const platform::Picture greyArt(QImage(kGreyMask, kSide, kSide, kSide, QImage::Format_Grayscale8));
    auto picture = platform::Picture::Filled(kSide, kSide, kInk);
    EXPECT_TRUE(picture->ShowsEveryPixel()); // a fresh mask shows all
    picture->Mask()->Graphics().DrawPicture(&greyArt, 0, 0);
    EXPECT_EQ(picture->Mask()->Image().constBits(), greyArt.Image().constBits());
    EXPECT_FALSE(picture->ShowsEveryPixel());

    platform::Picture target(kSide, kSide);
    target.Graphics().DrawPicture(picture.get(), 0, 0);
    EXPECT_EQ(target.Image().pixel(1, 1), kInk);
    EXPECT_EQ(target.Image().pixel(2, 1), kWhite);

    // Drawing into part of the shared mask gives it its own 32-bit plane.
    picture->Mask()->Graphics().SetForeColor(0x000000);
    picture->Mask()->Graphics().FillRect(3, 0, 1, 1);
    EXPECT_EQ(kGreyMask[3], 255);
    EXPECT_EQ(picture->Mask()->Image().pixel(3, 0), kBlack);
    EXPECT_EQ(picture->Mask()->Image().pixel(2, 0), kWhite);
    EXPECT_EQ(picture->Mask()->Image().pixel(0, 3), kBlack);
    target.Graphics().DrawPicture(picture.get(), 0, 0);
    EXPECT_EQ(target.Image().pixel(3, 0), kInk);
    EXPECT_EQ(target.Image().pixel(3, 1), kWhite);
}

TEST(PlaneSharingTest, AFreshMaskIsBlackWhereverItIsReadOrPartlyDrawn)
{
    EXPECT_EQ(platform::Picture::Filled(kSide, kSide, kInk)->Mask()->Image().pixel(2, 2), kBlack); // only read

    auto drawn = platform::Picture::Filled(kSide, kSide, kInk);
    drawn->Mask()->Graphics().SetForeColor(0xFFFFFF);
    drawn->Mask()->Graphics().FillRect(0, 0, 1, kSide);
    EXPECT_EQ(drawn->Mask()->Image().pixel(1, 0), kBlack);
    const auto target = platform::Picture::Filled(kSide, kSide, kBlack);
    target->Graphics().DrawPicture(drawn.get(), 0, 0);
    EXPECT_EQ(target->Image().pixel(0, 2), kBlack);
    EXPECT_EQ(target->Image().pixel(1, 2), kInk);
}

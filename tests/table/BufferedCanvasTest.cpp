#include "model/RectClass.h"
#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "table/BufferedCanvasClass.h"

#include <gtest/gtest.h>

namespace {

platform::PicturePtr Solid(QRgb colour)
{
    auto picture = std::make_shared<platform::Picture>(10, 10);
    picture->ImageForWriting().fill(colour);
    picture->Changed();
    return picture;
}

QRect Recorded(const BufferedCanvasClass& canvas)
{
    const auto& r = canvas.DirtyRect();
    return r ? QRect(r->mPosX, r->mPosY, r->mWidth, r->mHeight) : QRect();
}

} // namespace

TEST(BufferedCanvasTest, DirtyAreaHoldsEverythingDrawnAndTheFlipShowsItThenTheWholeBuffer)
{
    BufferedCanvasClass canvas;
    canvas.resize(200, 120);
    canvas.InitializeBuffer();
    canvas.Graphics().SetForeColor(0x808080);
    canvas.Graphics().FillRect(0, 0, 200, 120);
    EXPECT_EQ(canvas.DirtyRect(), nullptr);
    canvas.DrawPicture(Solid(qRgb(255, 0, 0)), 0, 0);
    canvas.DrawPicture(Solid(qRgb(0, 255, 0)), 100, 50);
    EXPECT_EQ(Recorded(canvas), QRect(0, 0, 110, 60));
    canvas.AddDirtyRect(20, 20, 90, 40); // inside, edges included
    EXPECT_EQ(Recorded(canvas), QRect(0, 0, 110, 60));
    EXPECT_THROW(canvas.DrawPicture(nullptr, 0, 0), platform::NilObjectException);

    const QRgb untouched = canvas.Surface().pixel(150, 100);
    ASSERT_NE(untouched, canvas.Buffer()->Image().pixel(150, 100));
    canvas.FlipBuffer();
    EXPECT_EQ(canvas.DirtyRect(), nullptr);
    const QImage& screen = canvas.Surface();
    EXPECT_EQ(screen.pixel(105, 55), qRgb(0, 255, 0));
    EXPECT_EQ(screen.pixel(50, 30), canvas.Buffer()->Image().pixel(50, 30)); // inside the union
    EXPECT_EQ(screen.pixel(150, 100), untouched);                            // outside: not yet shown
    canvas.FlipBuffer();
    EXPECT_EQ(screen, canvas.Buffer()->Image());

    canvas.DrawPicture(Solid(qRgb(0, 0, 255)), -40, 20); // past the left edge
    EXPECT_EQ(Recorded(canvas), QRect(-40, 20, 10, 10));
}

#include "model/RectClass.h"
#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "table/BufferedCanvasClass.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

platform::PicturePtr Solid(int w, int h, QRgb colour)
{
    auto picture = std::make_shared<platform::Picture>(w, h);
    picture->ImageForWriting().fill(colour);
    picture->Changed();
    return picture;
}

QRect Recorded(const BufferedCanvasClass& canvas)
{
    const auto& r = canvas.DirtyRect();
    return r ? QRect(r->mPosX, r->mPosY, r->mWidth, r->mHeight) : QRect();
}

class BufferedCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mCanvas.resize(200, 120);
        mCanvas.InitializeBuffer();
    }
    BufferedCanvasClass mCanvas;
};

} // namespace

TEST_F(BufferedCanvasTest, DirtyRectangleGrowsToHoldEverythingDrawn)
{
    EXPECT_EQ(mCanvas.DirtyRect(), nullptr);
    mCanvas.DrawPicture(Solid(10, 10, qRgb(255, 0, 0)), 0, 0);
    mCanvas.DrawPicture(Solid(10, 10, qRgb(0, 255, 0)), 100, 50);
    EXPECT_EQ(Recorded(mCanvas), QRect(0, 0, 110, 60));
    mCanvas.AddDirtyRect(20, 20, 90, 40); // inside, edges included
    EXPECT_EQ(Recorded(mCanvas), QRect(0, 0, 110, 60));
    mCanvas.DrawPicture(Solid(10, 10, qRgb(0, 0, 255)), -40, 20);
    EXPECT_EQ(Recorded(mCanvas), QRect(-40, 0, 150, 60));
    EXPECT_THROW(mCanvas.DrawPicture(nullptr, 0, 0), platform::NilObjectException);
}

TEST_F(BufferedCanvasTest, FlipShowsTheRecordedAreaThenTheWholeBuffer)
{
    mCanvas.Graphics().SetForeColor(0xFFFFFF);
    mCanvas.Graphics().FillRect(0, 0, 200, 120);
    mCanvas.DrawPicture(Solid(10, 10, qRgb(255, 0, 0)), 0, 0);
    mCanvas.DrawPicture(Solid(10, 10, qRgb(0, 255, 0)), 100, 50);
    mCanvas.FlipBuffer();
    EXPECT_EQ(mCanvas.DirtyRect(), nullptr);
    const QImage& screen = mCanvas.Surface();
    EXPECT_EQ(screen.pixel(105, 55), qRgb(0, 255, 0));
    EXPECT_EQ(screen.pixel(50, 30), mCanvas.Buffer()->Image().pixel(50, 30)); // inside the union
    EXPECT_EQ(screen.pixel(150, 100), qRgb(255, 255, 255));                  // outside: untouched
    mCanvas.FlipBuffer();
    EXPECT_EQ(screen, mCanvas.Buffer()->Image());
}

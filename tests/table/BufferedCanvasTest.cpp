#include "model/RectClass.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "table/BufferedCanvasClass.h"

#include <gtest/gtest.h>

// How each drag step's area is shown is checked on the play table (its
// repaint test); here what the table never does: a missing picture, drawing
// past an edge, and a flip with nothing recorded.
TEST(BufferedCanvasTest, RecordsDrawingPastAnEdgeRefusesNoPictureAndShowsAllWhenNothingIsRecorded)
{
    BufferedCanvasClass canvas;
    canvas.resize(200, 120);
    canvas.InitializeBuffer();
    canvas.Graphics().SetForeColor(0x808080);
    canvas.Graphics().FillRect(0, 0, 200, 120);
    EXPECT_EQ(canvas.DirtyRect(), nullptr);
    EXPECT_THROW(canvas.DrawPicture(nullptr, 0, 0), platform::NilObjectException);
    auto picture = std::make_shared<platform::Picture>(10, 10);
    picture->ImageForWriting().fill(qRgb(0, 0, 255));
    picture->Changed();
    canvas.DrawPicture(picture, -40, 20);
    canvas.AddDirtyRect(150, 100, 10, 10);
    const auto& r = platform::Deref(canvas.DirtyRect());
    EXPECT_EQ(QRect(r.mPosX, r.mPosY, r.mWidth, r.mHeight), QRect(-40, 20, 200, 90));
    canvas.FlipBuffer();
    EXPECT_EQ(canvas.DirtyRect(), nullptr);
    ASSERT_NE(canvas.Surface().pixel(190, 5), canvas.Buffer()->Image().pixel(190, 5)); // outside: not yet shown
    canvas.FlipBuffer();
    EXPECT_EQ(canvas.Surface(), canvas.Buffer()->Image());
}

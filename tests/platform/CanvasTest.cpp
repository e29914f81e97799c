#include "platform/Canvas.h"
#include "platform/EventGuard.h"
#include "platform/Graphics.h"
#include "tests/support/WindowInput.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetFailureReporter([this](const QString& what) { mFailures << what; });
        mCanvas.resize(100, 80);
        mCanvas.OnMouseDrag = [this](int x, int y) { mLog << QStringLiteral("drag %1,%2").arg(x).arg(y); };
        mCanvas.OnMouseUp = [this](int, int) { mLog << QStringLiteral("up"); };
        mCanvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mCanvas));
    }
    void TearDown() override { platform::SetFailureReporter({}); }

    void PressDragRelease()
    {
        WindowInput::Press(mCanvas, QPoint(10, 12));
        WindowInput::Move(mCanvas, QPoint(20, 22));
        WindowInput::Release(mCanvas, QPoint(20, 22));
    }

    platform::Canvas mCanvas;
    QStringList mLog;
    QStringList mFailures;
};

} // namespace

// Taken and refused presses are driven through the play table's tests.
TEST_F(CanvasTest, AFailingPressHandlerIsReportedAndCountsAsRefused)
{
    int press = 0;
    mCanvas.OnMouseDown = [&](int x, int y) {
        mLog << QStringLiteral("down %1,%2").arg(x).arg(y);
        if (++press == 1) {
            throw std::runtime_error("no piece");
        }
        return true;
    };
    PressDragRelease();
    EXPECT_EQ(mFailures, QStringList({"no piece"}));
    PressDragRelease();
    EXPECT_EQ(mLog, QStringList({"down 10,12", "down 10,12", "drag 20,22", "up"}));
}

TEST_F(CanvasTest, PaintRunsOverTheBackdropAndDrawingOutsideItStays)
{
    auto backdrop = std::make_shared<platform::Picture>(100, 80);
    backdrop->ImageForWriting().fill(qRgb(0, 0, 200));
    backdrop->Changed();
    int paints = 0;
    QRgb underPaint = 0;
    mCanvas.OnPaint = [&](platform::Graphics& g) {
        ++paints;
        underPaint = g.Plane().pixel(50, 50);
        g.SetForeColor(0x00FF00);
        g.FillRect(0, 0, 10, 10);
    };
    mCanvas.SetBackdrop(backdrop);
    QTRY_COMPARE(paints, 1);
    EXPECT_EQ(underPaint, qRgb(0, 0, 200));
    mCanvas.Graphics().SetForeColor(0xFF0000);
    mCanvas.Graphics().FillRect(20, 20, 5, 5);
    mCanvas.UpdateNow();
    EXPECT_EQ(paints, 1); // showing a drawn area is no paint request
    const QImage shown = mCanvas.grab().toImage();
    EXPECT_EQ(shown.pixel(22, 22), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 255, 0));
}

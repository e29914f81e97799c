#include "platform/Canvas.h"
#include "platform/EventGuard.h"
#include "platform/Graphics.h"
#include "tests/support/WindowInput.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

// Taken and refused presses are driven through the play table's tests.
TEST(CanvasTest, PaintRunsOverTheBackdropAndAFailingPressHandlerIsReportedAndCountsAsRefused)
{
    QStringList failures;
    platform::SetFailureReporter([&](const QString& what) { failures << what; });
    platform::Canvas canvas;
    canvas.resize(100, 80);
    auto backdrop = std::make_shared<platform::Picture>(100, 80);
    backdrop->ImageForWriting().fill(qRgb(0, 0, 200));
    backdrop->Changed();
    canvas.SetBackdrop(backdrop);
    int paints = 0;
    QRgb underPaint = 0;
    canvas.OnPaint = [&](platform::Graphics& g) {
        ++paints;
        underPaint = g.Plane().pixel(50, 50);
        g.SetForeColor(0x00FF00);
        g.FillRect(0, 0, 10, 10);
    };
    canvas.show();
    QTRY_COMPARE(paints, 1);
    EXPECT_EQ(underPaint, qRgb(0, 0, 200));
    // Drawing outside a paint stays, and showing it is no paint request.
    canvas.Graphics().SetForeColor(0xFF0000);
    canvas.Graphics().FillRect(20, 20, 5, 5);
    canvas.UpdateNow();
    EXPECT_EQ(paints, 1);
    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(std::pair(shown.pixel(22, 22), shown.pixel(5, 5)), std::pair(qRgb(255, 0, 0), qRgb(0, 255, 0)));

    QStringList log;
    canvas.OnMouseDown = [&](int x, int y) {
        log << QStringLiteral("down %1,%2").arg(x).arg(y);
        return log.size() == 1 ? throw std::runtime_error("no piece") : true;
    };
    canvas.OnMouseDrag = [&](int x, int y) { log << QStringLiteral("drag %1,%2").arg(x).arg(y); };
    canvas.OnMouseUp = [&](int, int) { log << QStringLiteral("up"); };
    for (int press = 0; press < 2; ++press) {
        WindowInput::Press(canvas, QPoint(10, 12));
        WindowInput::Move(canvas, QPoint(20, 22));
        WindowInput::Release(canvas, QPoint(20, 22));
    }
    EXPECT_EQ(failures, QStringList({"no piece"}));
    EXPECT_EQ(log, QStringList({"down 10,12", "down 10,12", "drag 20,22", "up"}));
    platform::SetFailureReporter({});
}

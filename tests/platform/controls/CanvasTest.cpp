#include "platform/controls/Canvas.h"
#include "platform/EventGuard.h"
#include "platform/pictures/Graphics.h"
#include "platform/controls/Window.h"
#include "tests/support/WindowInput.h"

#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

// Taken and refused presses are driven through the play table's tests.
TEST(CanvasTest, PaintRunsOverTheBackdropAndDrawingOutsideAPaintStays)
{
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
}

namespace {

// A window with one canvas in it that logs its presses, and a panel beside
// it that the canvas can be moved into.
struct PressLog {
    PressLog()
    {
        window->ApplyRecord({"Presses", 200, 100});
        canvas = Logged(window->AddControl<platform::Canvas>({"Canvas", 0, 0, 100, 100}));
        panel = window->AddControl<QWidget>({"Panel", 100, 0, 100, 100});
        window->Show();
    }
    ~PressLog() { delete window; }
    PressLog(const PressLog&) = delete;
    PressLog& operator=(const PressLog&) = delete;

    // Makes the canvas log its presses here.
    platform::Canvas* Logged(platform::Canvas* c)
    {
        c->OnMouseDown = [this](int x, int y) {
            log << QStringLiteral("down %1,%2").arg(x).arg(y);
            if (onDown) {
                onDown();
            }
            return true;
        };
        c->OnMouseDrag = [this](int x, int y) { log << QStringLiteral("drag %1,%2").arg(x).arg(y); };
        c->OnMouseUp = [this](int, int) { log << QStringLiteral("up"); };
        c->OnMouseCancel = [this](int x, int y) { log << QStringLiteral("cancel %1,%2").arg(x).arg(y); };
        return c;
    }

    // A press and a drag, the cut, the pointer moved and let go, and a
    // whole click afterwards, which the canvas must take as ever.
    std::string Play(const std::function<void()>& cut, const std::function<void()>& undo)
    {
        log.clear();
        WindowInput::Press(*canvas, QPoint(10, 12));
        WindowInput::Move(*canvas, QPoint(20, 22));
        cut();
        undo();
        WindowInput::Move(*canvas, QPoint(30, 32));
        WindowInput::Release(*canvas, QPoint(30, 32));
        WindowInput::Click(*canvas, QPoint(40, 42));
        return log.join("; ").toStdString();
    }

    platform::Window* window = new platform::Window;
    platform::Canvas* canvas = nullptr;
    QWidget* panel = nullptr;
    std::function<void()> onDown;
    QStringList log;
};

} // namespace

// A press handler that fails is reported, and its press counts as refused.
TEST(CanvasTest, AFailingPressHandlerIsReportedAndItsPressRefused)
{
    QStringList failures;
    platform::SetFailureReporter([&](const QString& what) { failures << what; });
    PressLog p;
    bool first = true;
    p.onDown = [&] { std::exchange(first, false) ? throw std::runtime_error("no piece") : void(); };
    EXPECT_EQ(p.Play([] {}, [] {}), "down 10,12; down 40,42; up");
    EXPECT_EQ(failures, QStringList({"no piece"}));
    platform::SetFailureReporter({});
}

// Whatever cuts a press short, after a drag or in the press's own handler,
// its handler hears of it once, where the pointer last was (in the handler's
// case once it has answered), and no drag or release of it follows.
TEST(CanvasTest, APressCutShortReachesItsHandlerOnceAndLeavesNothingTaken)
{
    PressLog p;
    const auto moveTo = [&](QWidget* parent) {
        p.canvas->setParent(parent);
        p.canvas->move(0, 0);
        p.canvas->show();
    };
    // A window over the canvas's own, modal to it or to the whole game.
    QPointer<platform::Window> over;
    const auto showOver = [&](bool sheet) {
        over = new platform::Window;
        over->ApplyRecord(platform::WindowRecord::Dialog(QStringLiteral("Over"), 50, 50));
        if (sheet) {
            over->ShowModalWithin(p.window);
        } else {
            over->setWindowModality(Qt::ApplicationModal);
            over->Show();
        }
    };
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    // Each cut, and what undoes it before the pointer goes on.
    const std::tuple<const char*, std::function<void()>, std::function<void()>> kCuts[] = {
        {"hidden", [&] { p.canvas->hide(); }, [&] { p.canvas->show(); }},
        {"disabled", [&] { p.canvas->setEnabled(false); }, [&] { p.canvas->setEnabled(true); }},
        {"minimised", [&] { WindowInput::Minimize(*p.canvas); }, [&] { WindowInput::Restore(*p.canvas); }},
        {"re-parented", [&] { moveTo(p.panel); }, [&] { moveTo(p.window->Content()); }},
        {"under a sheet", [&] { showOver(true); }, [&] { over->close(); }},
        {"under a modal window", [&] { showOver(false); }, [&] { over->close(); }},
        {"under a menu", [&] { menu.popup(p.canvas->mapToGlobal(QPoint(20, 22))); },
         [&] { WindowInput::Key(menu, Qt::Key_Escape); }}};
    const auto none = [] {};
    for (const bool inHandler : {false, true}) {
        for (const auto& [name, cut, undo] : kCuts) {
            bool first = true;
            p.onDown = [&, &cut = cut, &undo = undo] {
                inHandler && std::exchange(first, false) ? (cut(), undo()) : void();
            };
            EXPECT_EQ(inHandler ? p.Play(none, none) : p.Play(cut, undo),
                      inHandler ? "down 10,12; cancel 10,12; down 40,42; up"
                                : "down 10,12; drag 20,22; cancel 20,22; down 40,42; up")
                << name << (inHandler ? " in the handler" : "");
            EXPECT_FALSE(p.window->IsMinimized());
        }
    }
    p.onDown = {};
    // The window closing ends the press before the canvas closes.
    p.canvas->OnClose = [&] { p.log << QStringLiteral("close"); };
    p.log.clear();
    WindowInput::Press(*p.canvas, QPoint(10, 12));
    p.window->close();
    EXPECT_EQ(p.log, QStringList({"down 10,12", "cancel 10,12", "close"}));
    p.window = nullptr; // a closed window deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A canvas deleted during its press, by its own handler or from outside,
// leaves no grab behind: the next press goes to the control under it.
TEST(CanvasTest, ACanvasDeletedDuringItsPressLeavesTheNextPressToTheControlUnderIt)
{
    for (const bool byHandler : {true, false}) {
        PressLog p;
        p.Logged(p.window->AddControl<platform::Canvas>({"Under", 0, 0, 100, 100}))->lower();
        const QPointer<platform::Canvas> canvas = p.canvas;
        if (byHandler) {
            p.onDown = [&] { delete std::exchange(p.canvas, nullptr); };
        }
        WindowInput::Press(*p.window, QPoint(10, 12));
        delete canvas.data();
        EXPECT_TRUE(canvas.isNull());
        WindowInput::Move(*p.window, QPoint(20, 22));
        WindowInput::Release(*p.window, QPoint(20, 22));
        WindowInput::Click(*p.window, QPoint(30, 32));
        EXPECT_EQ(p.log, QStringList({"down 10,12", "down 30,32", "up"})) << byHandler;
    }
}

// Other buttons pressed and let go during a press belong to it: they start,
// end and duplicate nothing, whichever is let go first. The press ends with
// its own button's release, or, when that release was lost, with the first
// move made without that button.
TEST(CanvasTest, APressEndsWithItsOwnButtonAndOtherButtonsChangeNothing)
{
    PressLog p;
    // The second button, the one let go first (and whether it was lost on
    // the way), and what the handler hears.
    const std::tuple<Qt::MouseButton, Qt::MouseButton, bool, const char*> kOrders[] = {
        {Qt::RightButton, Qt::RightButton, false, "down 10,12; drag 20,22; drag 30,32; drag 40,42; up"},
        {Qt::MiddleButton, Qt::MiddleButton, false, "down 10,12; drag 20,22; drag 30,32; drag 40,42; up"},
        {Qt::RightButton, Qt::LeftButton, false, "down 10,12; drag 20,22; drag 30,32; up"},
        {Qt::RightButton, Qt::LeftButton, true, "down 10,12; drag 20,22; drag 30,32; cancel 40,42"}};
    for (const auto& [second, firstUp, lost, expected] : kOrders) {
        p.log.clear();
        WindowInput::Press(*p.canvas, QPoint(10, 12));
        WindowInput::Move(*p.canvas, QPoint(20, 22));
        WindowInput::Press(*p.canvas, QPoint(20, 22), second);
        WindowInput::Move(*p.canvas, QPoint(30, 32));
        lost ? WindowInput::LoseRelease(firstUp) : WindowInput::Release(*p.canvas, QPoint(30, 32), firstUp);
        WindowInput::Move(*p.canvas, QPoint(40, 42));
        WindowInput::Release(*p.canvas, QPoint(40, 42), firstUp == second ? Qt::LeftButton : second);
        EXPECT_EQ(p.log.join("; ").toStdString(), expected) << second << " " << firstUp << " " << lost;
    }
}

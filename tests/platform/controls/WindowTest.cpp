#include "platform/Application.h"
#include "platform/controls/Canvas.h"
#include "platform/System.h"
#include "platform/controls/Window.h"
#include "platform/pictures/Graphics.h"
#include "tests/support/WindowInput.h"

#include <QPointer>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

std::vector<QString> gLog;

// Logs its Open and Close events by object name.
template <class Base>
class Logging : public Base {
public:
    using Base::Base;
    void Event_Open() override { gLog.push_back("open " + this->objectName()); }
    void Event_Close() override { gLog.push_back("close " + this->objectName()); }
};
using LoggingCanvas = Logging<Canvas>;
using LoggingWindow = Logging<Window>;

class QuittingApplication : public Application {
public:
    // Ends the event loop as soon as it runs, as the game's Quit does.
    void Event_Open() override { QCoreApplication::exit(0); }
};

} // namespace

TEST(WindowTest, OpenAndCloseReachCanvasesInOrderThenTheWindowAndQuit)
{
    gLog.clear();
    int quits = 0;
    Hooks().quit = [&](int) { ++quits; };
    QuittingApplication app;
    app.SetAutoQuit(true);
    QPointer<LoggingWindow> window = new LoggingWindow;
    window->setObjectName("window");
    window->ApplyRecord({"Test", 300, 200});
    auto* outer = window->AddControl<LoggingCanvas>({"A", 20, 30, 200, 150});
    auto* inner = window->AddControl<LoggingCanvas>({"B", 50, 70, 40, 40, outer});
    // Placed from window coordinates, inside its parent.
    EXPECT_EQ(std::pair(inner->geometry(), window->ControlBounds(inner)),
              std::pair(QRect(30, 40, 40, 40), QRect(50, 70, 40, 40)));
    EXPECT_EQ(window->Control("Missing"), nullptr);

    window->Show();
    window->Show();
    EXPECT_EQ(gLog, (std::vector<QString>{"open A", "open B", "open window"}));
    gLog.clear();
    window->close();
    EXPECT_EQ(gLog, (std::vector<QString>{"close A", "close B", "close window"}));
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    EXPECT_EQ(Window::WindowCount(), 0);

    // A quit closes the windows still open, so their Close events run; the
    // last one closing asks for no second quit.
    QPointer<LoggingWindow> left = new LoggingWindow;
    left->setObjectName("window");
    left->ApplyRecord({"Left open", 300, 200});
    left->AddControl<LoggingCanvas>({"C", 0, 0, 10, 10});
    left->Show();
    gLog.clear();
    quits = 0;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(gLog, (std::vector<QString>{"close C", "close window"}));
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return left.isNull(); }));
    ResetSystemHooks();
}

// An expose repaints the canvases that were drawn on outside a paint event
// (a hover picture, say) and no other: a window just mapped is painted whole
// by the expose itself, once.
TEST(WindowTest, AnExposeRepaintsOnlyCanvasesDrawnOnOutsideAPaint)
{
    auto* window = new Window;
    window->ApplyRecord({"Exposed", 200, 100});
    std::pair<int, int> paints;
    auto* drawnOn = window->AddControl<Canvas>({"DrawnOn", 0, 0, 100, 100});
    drawnOn->OnPaint = [&](Graphics&) { ++paints.first; };
    window->AddControl<Canvas>({"Left", 100, 0, 100, 100})->OnPaint = [&](Graphics&) { ++paints.second; };
    // Both canvases repaint in the same pass over the window, so once each
    // has had the paints expected of it, any extra one has come too.
    const auto settlesAt = [&paints](std::pair<int, int> expected) {
        return QTest::qWaitFor([&] { return paints.first >= expected.first && paints.second >= expected.second; })
               && paints == expected;
    };
    window->Show();
    EXPECT_TRUE(settlesAt({1, 1}));
    drawnOn->Graphics().FillRect(0, 0, 10, 10);
    drawnOn->UpdateNow();
    for (int expose = 0; expose < 2; ++expose) {
        WindowInput::Expose(*window);
        EXPECT_TRUE(settlesAt({2, 1})); // the second finds nothing drawn since
    }
    delete window;
}

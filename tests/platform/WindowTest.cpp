#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/MessageDialog.h"
#include "platform/PagePanel.h"
#include "platform/System.h"
#include "platform/Window.h"

#include <QPointer>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

std::vector<QString>* gLog = nullptr;

class LoggingCanvas : public Canvas {
public:
    using Canvas::Canvas;
    void Event_Open() override { gLog->push_back("open " + objectName()); }
    void Event_Close() override { gLog->push_back("close " + objectName()); }
};

class LoggingWindow : public Window {
public:
    void Event_Open() override { gLog->push_back("open window"); }
    void Event_Close() override { gLog->push_back("close window"); }
    void Event_Minimize() override { gLog->push_back("minimize"); }
    void Event_Restore() override { gLog->push_back("restore"); }
};

struct WindowFixture : ::testing::Test {
    void SetUp() override { gLog = &log; }
    void TearDown() override
    {
        gLog = nullptr;
        ResetSystemHooks();
    }
    std::vector<QString> log;
};

} // namespace

TEST_F(WindowFixture, ControlsArePlacedFromWindowCoordinatesAndFoundByName)
{
    LoggingWindow window;
    window.ApplyRecord({"Test", 300, 200});
    auto* outer = window.AddControl<LoggingCanvas>({"Outer", 20, 30, 200, 150});
    auto* inner = window.AddControl<LoggingCanvas>({"Inner", 50, 70, 40, 40, outer});
    EXPECT_EQ(window.Control("Inner"), inner);
    EXPECT_EQ(window.ControlAs<Canvas>("Outer"), outer);
    EXPECT_EQ(window.Control("Missing"), nullptr);
    EXPECT_EQ(inner->geometry(), QRect(30, 40, 40, 40));
    EXPECT_EQ(window.ControlBounds(inner), QRect(50, 70, 40, 40));
    EXPECT_EQ(inner->objectName(), QString("Inner"));
}

TEST_F(WindowFixture, OpenAndCloseReachCanvasesInOrderThenWindow)
{
    int quits = 0;
    Hooks().quit = [&](int) { ++quits; };
    Application app;
    app.SetAutoQuit(true);
    QPointer<LoggingWindow> window = new LoggingWindow;
    window->ApplyRecord({"Test", 300, 200});
    window->AddControl<LoggingCanvas>({"A", 0, 0, 10, 10});
    window->AddControl<LoggingCanvas>({"B", 10, 0, 10, 10});
    window->Show();
    window->Show();
    EXPECT_EQ(log, (std::vector<QString>{"open A", "open B", "open window"}));
    EXPECT_EQ(Window::Front(), window.data());

    log.clear();
    window->close();
    EXPECT_EQ(log, (std::vector<QString>{"close A", "close B", "close window"}));
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    EXPECT_EQ(Window::WindowCount(), 0);
}

TEST_F(WindowFixture, MinimizeAndRestoreEvents)
{
    LoggingWindow window;
    window.ApplyRecord({"Test", 100, 100});
    window.Show();
    log.clear();
    window.Minimize();
    EXPECT_TRUE(window.IsMinimized());
    window.Show();
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_EQ(log, (std::vector<QString>{"minimize", "restore"}));
}

TEST_F(WindowFixture, PagePanelShowsOnlyTheCurrentPage)
{
    Window window;
    window.ApplyRecord({"Test", 200, 200});
    auto* panel = window.AddControl<PagePanel>({"Panel", 0, 100, 200, 100});
    panel->SetPanelCount(2);
    auto* first = window.AddControl<Canvas>({"First", 0, 100, 50, 50, panel, 0});
    auto* second = window.AddControl<Canvas>({"Second", 0, 100, 50, 50, panel, 1});
    window.Show();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(second->geometry().topLeft(), QPoint(0, 0));
    panel->SetValue(1);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(panel->Value(), 1);
}

TEST_F(WindowFixture, SeamsAnswerInsteadOfTheDesktop)
{
    QString seen;
    Hooks().showURL = [&](const QString& url) { seen = url; };
    Hooks().screen = [](int) { return ScreenInfo{800, 600, 24}; };
    ShowURL("https://kolmira.example.com/");
    EXPECT_EQ(seen, QString("https://kolmira.example.com/"));
    EXPECT_EQ(Screen(0).Width, 800);
    std::int32_t version = 0;
    // No system-version service on Linux.
    EXPECT_FALSE(SystemGestalt("sysv", version));

    MessageDialog::SetResponder([](MessageDialog& d) { return &d.CancelButton; });
    MessageDialog dialog;
    dialog.CancelButton.Visible = true;
    EXPECT_EQ(dialog.ShowModal(), &dialog.CancelButton);
    MessageDialog::SetResponder(nullptr);
}

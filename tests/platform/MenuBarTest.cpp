#include "platform/Application.h"
#include "platform/MenuBar.h"
#include "platform/Window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace platform;

namespace {

std::shared_ptr<MenuItem> MakeItem(const QString& name, const QString& text, bool autoEnable,
                                   const QString& shortcut = QString())
{
    auto item = std::make_shared<MenuItem>();
    item->SetName(name);
    item->SetAutoEnable(autoEnable);
    item->SetText(text);
    item->SetKeyboardShortcut(shortcut);
    return item;
}

class RecordingApp : public Application {
public:
    void Event_EnableMenuItems() override { ++enableCount; }
    int enableCount = 0;
};

class RecordingWindow : public Window {
public:
    void Event_EnableMenuItems() override { ++enableCount; }
    int enableCount = 0;
};

struct MenuFixture : ::testing::Test {
    void SetUp() override
    {
        bar = std::make_shared<MenuBar>();
        auto game = MakeItem("GameMenu", "Game", true);
        bar->Append(game);
        game->Append(MakeItem("GameNew", "New", true, "Cmd+N"));
        game->Append(MakeItem("GameHint", "Hint", false));
        game->Append(MakeItem("GameHelp", "Help", false, "Cmd+?"));
        auto quit = std::make_shared<QuitMenuItem>();
        quit->SetName("GameQuit");
        quit->SetText("Quit");
        game->Append(quit);
    }
    std::shared_ptr<MenuBar> bar;
    RecordingApp app;
};

} // namespace

TEST_F(MenuFixture, ChildLookupAndCaptionsShowCtrlForCmd)
{
    auto game = bar->Child("GameMenu");
    ASSERT_TRUE(game);
    EXPECT_EQ(game->Count(), 4);
    EXPECT_EQ(game->Child("GameNew")->QtAction()->text(), QString("New\tCtrl+N"));
    EXPECT_EQ(game->Child("GameHint")->QtAction()->text(), QString("Hint"));
    EXPECT_EQ(bar->Child("Nothing"), nullptr);
}

TEST_F(MenuFixture, EnablingResetsOnlyManualItemsAndRunsBothEvents)
{
    RecordingWindow window;
    auto hint = bar->Child("GameMenu")->Child("GameHint");
    hint->SetEnabled(true);
    bar->EnableMenuItems(&window);
    EXPECT_FALSE(hint->Enabled());
    EXPECT_FALSE(hint->QtAction()->isEnabled());
    EXPECT_TRUE(bar->Child("GameMenu")->Child("GameNew")->Enabled());
    EXPECT_EQ(app.enableCount, 1);
    EXPECT_EQ(window.enableCount, 1);
}

TEST_F(MenuFixture, CommandGoesToWindowThenApplication)
{
    RecordingWindow window;
    std::vector<QString> calls;
    window.AddMenuHandler("GameNew", [&] { calls.push_back("window"); return false; });
    app.AddMenuHandler("GameNew", [&] { calls.push_back("app"); return false; });
    app.AddMenuHandler("GameHint", [&] { calls.push_back("app hint"); return false; });
    bar->Choose(*bar->Child("GameMenu")->Child("GameNew"), &window);
    bar->Choose(*bar->Child("GameMenu")->Child("GameHint"), &window);
    bar->Choose(*bar->Child("GameMenu")->Child("GameHint"), nullptr);
    EXPECT_EQ(calls, (std::vector<QString>{"window", "app", "app hint", "app hint"}));

    window.AddMenuHandler("GameNew", [&] { calls.push_back("window stops"); return true; });
    calls.clear();
    bar->Choose(*bar->Child("GameMenu")->Child("GameNew"), &window);
    EXPECT_EQ(calls, (std::vector<QString>{"window stops"}));
}

TEST_F(MenuFixture, ShortcutsRefreshStatesAndSkipDisabledItems)
{
    RecordingWindow window;
    int help = 0;
    int fresh = 0;
    window.AddMenuHandler("GameHelp", [&] { ++help; return false; });
    window.AddMenuHandler("GameNew", [&] { ++fresh; return false; });
    EXPECT_EQ(bar->FindShortcut(Qt::Key_N, Qt::ControlModifier)->Name(), QString("GameNew"));
    EXPECT_EQ(bar->FindShortcut(Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier)->Name(),
              QString("GameHelp"));
    EXPECT_EQ(bar->FindShortcut(Qt::Key_N, Qt::NoModifier), nullptr);
    EXPECT_EQ(bar->FindShortcut(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier), nullptr);

    QKeyEvent ctrlQuestion(QEvent::KeyPress, Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier);
    // The help item is manual and nobody enables it: the key does nothing.
    EXPECT_TRUE(bar->HandleShortcut(ctrlQuestion, &window));
    EXPECT_EQ(help, 0);
    EXPECT_EQ(window.enableCount, 1);

    // Real key presses to a window reach the bar through the application.
    window.resize(100, 100);
    window.show();
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fresh, 1);
    window.close();
}

TEST_F(MenuFixture, RemovedItemLeavesMenuAndQuitItemQuitsThroughSeam)
{
    auto game = bar->Child("GameMenu");
    auto extra = MakeItem("", "Extra", true);
    game->Append(extra);
    EXPECT_EQ(game->QtMenu()->actions().size(), 5);
    game->Remove(extra);
    EXPECT_EQ(game->Count(), 4);
    EXPECT_EQ(game->QtMenu()->actions().size(), 4);
    EXPECT_EQ(extra->Parent(), nullptr);

    QMenuBar* qtBar = bar->CreateQtMenuBar(nullptr);
    EXPECT_EQ(qtBar->actions().size(), 1);
    delete qtBar;
}

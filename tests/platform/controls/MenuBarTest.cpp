#include "platform/Application.h"
#include "platform/controls/MenuBar.h"
#include "platform/controls/Window.h"
#include "tests/support/WindowInput.h"

#include <QAction>
#include <QKeyEvent>
#include <QTest>
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

template <class Base>
struct Recording : Base {
    void Event_EnableMenuItems() override { ++enableCount; }
    int enableCount = 0;
};

// A Game menu with an automatic item, two manual ones (one with a shortcut).
struct MenuFixture : ::testing::Test {
    void SetUp() override
    {
        bar->Append(game);
        game->Append(MakeItem("GameNew", "New", true, "Cmd+N"));
        game->Append(MakeItem("GameHint", "Hint", false));
        game->Append(MakeItem("GameHelp", "Help", false, "Cmd+?"));
    }
    MenuItem& Item(const QString& name) { return *game->Child(name); }

    std::shared_ptr<MenuBar> bar = std::make_shared<MenuBar>();
    std::shared_ptr<MenuItem> game = MakeItem("GameMenu", "Game", true);
    Recording<Application> app;
    Recording<Window> window;
};

} // namespace

TEST_F(MenuFixture, EnablingResetsManualItemsShortcutsSkipDisabledOnesAndCommandsGoToWindowThenApplication)
{
    EXPECT_EQ(Item("GameNew").QtAction()->text(), QString("New\tCtrl+N"));
    Item("GameHint").SetEnabled(true);
    bar->EnableMenuItems(&window);
    MenuItem& hint = Item("GameHint");
    EXPECT_EQ(std::tuple(hint.Enabled(), hint.QtAction()->isEnabled(), Item("GameNew").Enabled()),
              std::tuple(false, false, true));
    EXPECT_EQ(std::pair(app.enableCount, window.enableCount), std::pair(1, 1));

    EXPECT_EQ(bar->FindShortcut(Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier)->Name(),
              QString("GameHelp"));
    EXPECT_EQ(bar->FindShortcut(Qt::Key_N, Qt::NoModifier), nullptr);
    EXPECT_EQ(bar->FindShortcut(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier), nullptr);
    // The key refreshes the states first; nobody enables Help, so it does nothing.
    std::vector<QString> calls;
    window.AddMenuHandler("GameHelp", [&] { calls.push_back("help"); return false; });
    QKeyEvent ctrlQuestion(QEvent::KeyPress, Qt::Key_Question, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(bar->HandleShortcut(ctrlQuestion, &window));
    EXPECT_EQ(window.enableCount, 2);

    window.AddMenuHandler("GameNew", [&] { calls.push_back("window"); return false; });
    app.AddMenuHandler("GameNew", [&] { calls.push_back("app"); return false; });
    app.AddMenuHandler("GameHint", [&] { calls.push_back("app hint"); return false; });
    bar->Choose(Item("GameNew"), &window);
    bar->Choose(Item("GameHint"), nullptr);
    // A window handler that answers true stops the command there.
    window.AddMenuHandler("GameNew", [&] { calls.push_back("window stops"); return true; });
    bar->Choose(Item("GameNew"), &window);
    EXPECT_EQ(calls, (std::vector<QString>{"window", "app", "app hint", "window stops"}));

    // A shortcut held down runs its command once, however long the key repeats.
    window.ApplyRecord({"Keys", 100, 100});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    calls.clear();
    WindowInput::Hold(window, Qt::Key_N, Qt::ControlModifier, 3);
    EXPECT_EQ(calls, std::vector<QString>{"window stops"});
    window.hide();
}

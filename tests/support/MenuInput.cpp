#include "tests/support/MenuInput.h"

#include "platform/NilObjectException.h"
#include "platform/controls/MenuBar.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/Window.h"
#include "tests/support/WindowInput.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace MenuInput {

namespace {

platform::MenuItem& MenuNamed(const platform::Window& window, const QString& menu)
{
    return platform::Deref(platform::Deref(window.MenuBar()).Child(menu));
}

} // namespace

QMenu& Open(const platform::Window& window, const QString& menu)
{
    platform::MenuItem& item = MenuNamed(window, menu);
    const auto& bar = platform::Deref(window.findChild<QMenuBar*>());
    WindowInput::Click(bar, bar.actionGeometry(item.QtAction()).center());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(item.QtMenu())) << menu.toStdString();
    return *item.QtMenu();
}

QAction& Shown(const platform::Window& window, const QString& menu, const QString& item)
{
    return *platform::Deref(MenuNamed(window, menu).Child(item)).QtAction();
}

bool Choose(const platform::Window& window, const QString& menu, const QString& item)
{
    QMenu& shown = Open(window, menu);
    QAction& action = Shown(window, menu, item);
    if (!action.isEnabled()) {
        WindowInput::Key(shown, Qt::Key_Escape);
        return false;
    }
    WindowInput::Click(shown, shown.actionGeometry(&action).center());
    return true;
}

} // namespace MenuInput

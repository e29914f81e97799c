#include "platform/controls/MenuBar.h"

#include "platform/Application.h"
#include "platform/EventGuard.h"
#include "platform/controls/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <functional>

namespace platform {

namespace {

const QString kCommandPrefix = QStringLiteral("Cmd+");

// Sees every key press of the application first, so the bar's shortcuts
// work whichever of the game's windows is in front.
class ShortcutFilter : public QObject {
public:
    explicit ShortcutFilter(MenuBar& bar) : mBar(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ControlModifier) || key->isAutoRepeat()) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        Window* front = widget != nullptr ? dynamic_cast<Window*>(widget->window()) : nullptr;
        if (front == nullptr) {
            front = Window::Front();
        }
        return mBar.HandleShortcut(*key, front);
    }

private:
    MenuBar& mBar;
};

void ForEachItem(MenuItem& item, const std::function<void(MenuItem&)>& visit)
{
    for (int i = 0; i < item.Count(); ++i) {
        MenuItem& child = *item.Item(i);
        visit(child);
        ForEachItem(child, visit);
    }
}

} // namespace

MenuBar::MenuBar()
{
    if (QCoreApplication::instance() != nullptr) {
        mKeyFilter = std::make_unique<ShortcutFilter>(*this);
        QCoreApplication::instance()->installEventFilter(mKeyFilter.get());
    }
}

MenuBar::~MenuBar()
{
    if (mKeyFilter && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(mKeyFilter.get());
    }
}

QMenuBar* MenuBar::CreateQtMenuBar(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    // The game draws its own menu bar in the window on every desktop.
    bar->setNativeMenuBar(false);
    for (int i = 0; i < Count(); ++i) {
        bar->addMenu(Item(i)->QtMenu());
    }
    mQtBars.emplace_back(bar);
    return bar;
}

void MenuBar::MenuAppended(MenuItem& menu)
{
    QMenu* qtMenu = menu.QtMenu();
    for (const auto& bar : mQtBars) {
        if (bar) {
            bar->addMenu(qtMenu);
        }
    }
}

void MenuBar::MenuRemoved(MenuItem& menu)
{
    for (const auto& bar : mQtBars) {
        if (bar) {
            bar->removeAction(menu.QtAction());
        }
    }
}

void MenuBar::EnableMenuItems()
{
    EnableMenuItems(Window::Front());
}

void MenuBar::EnableMenuItems(Window* front)
{
    ForEachItem(*this, [](MenuItem& item) { item.SetEnabled(item.AutoEnable()); });
    if (Application* app = Application::Instance()) {
        RunGuarded([app] { app->Event_EnableMenuItems(); });
    }
    if (front != nullptr) {
        RunGuarded([front] { front->Event_EnableMenuItems(); });
    }
}

void MenuBar::Choose(MenuItem& item)
{
    Choose(item, Window::Front());
}

void MenuBar::Choose(MenuItem& item, Window* front)
{
    bool handled = false;
    RunGuarded([&] { handled = item.Event_Action(); });
    if (handled || item.Name().isEmpty()) {
        return;
    }
    // The name is copied: a handler may remove the item from the bar.
    const QString name = item.Name();
    if (front != nullptr) {
        if (const auto* bound = front->MenuHandler(name)) {
            const auto handler = *bound;
            RunGuarded([&] { handled = handler(); });
            if (handled) {
                return;
            }
        }
    }
    if (Application* app = Application::Instance()) {
        if (const auto* bound = app->MenuHandler(name)) {
            const auto handler = *bound;
            RunGuarded([&] { handler(); });
        }
    }
}

MenuItem* MenuBar::FindShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        return nullptr;
    }
    MenuItem* found = nullptr;
    ForEachItem(*this, [&](MenuItem& item) {
        const QString& shortcut = item.KeyboardShortcut();
        if (found != nullptr || !shortcut.startsWith(kCommandPrefix)
            || shortcut.size() != kCommandPrefix.size() + 1) {
            return;
        }
        const QChar ch = shortcut.back().toUpper();
        if (key == static_cast<int>(ch.unicode())) {
            found = &item;
        }
    });
    return found;
}

bool MenuBar::HandleShortcut(const QKeyEvent& event, Window* front)
{
    MenuItem* item = FindShortcut(event.key(), event.modifiers());
    if (item == nullptr) {
        return false;
    }
    EnableMenuItems(front);
    bool enabled = item->Enabled();
    for (MenuItem* up = item->Parent(); up != nullptr && up != this; up = up->Parent()) {
        enabled = enabled && up->Enabled();
    }
    if (enabled) {
        Choose(*item, front);
    }
    return true;
}

} // namespace platform

#include "platform/controls/MenuItem.h"

#include "platform/controls/MenuBar.h"
#include "platform/System.h"

#include <QAction>
#include <QMenu>

namespace platform {

namespace {

const QString kCommandPrefix = QStringLiteral("Cmd+");

} // namespace

MenuItem::MenuItem() = default;

MenuItem::~MenuItem()
{
    for (const auto& child : mChildren) {
        child->mParent = nullptr;
    }
}

void MenuItem::SetText(const QString& text)
{
    mText = text;
    if (mAction) {
        mAction->setText(DisplayText());
        mAction->setSeparator(IsSeparator());
    }
    if (mMenu) {
        mMenu->setTitle(text);
    }
}

void MenuItem::SetKeyboardShortcut(const QString& shortcut)
{
    mShortcut = shortcut;
    mShortcutSet = true;
    if (mAction) {
        mAction->setText(DisplayText());
    }
}

QString MenuItem::DisplayText() const
{
    // A separator with a caption would show it as a section heading.
    if (IsSeparator()) {
        return {};
    }
    QString text = mText;
    // A single & would become a mnemonic marker in Qt.
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (mShortcut.startsWith(kCommandPrefix)) {
        text += QLatin1Char('\t') + QStringLiteral("Ctrl+") + mShortcut.mid(kCommandPrefix.size());
    }
    return text;
}

void MenuItem::SetEnabled(bool enabled)
{
    mEnabled = enabled;
    if (mAction) {
        mAction->setEnabled(enabled);
    }
    if (mMenu) {
        mMenu->menuAction()->setEnabled(enabled);
    }
}

void MenuItem::SetChecked(bool checked)
{
    mChecked = checked;
    QAction* action = QtAction();
    action->setCheckable(true);
    action->setChecked(checked);
}

void MenuItem::Append(const std::shared_ptr<MenuItem>& child)
{
    if (!child) {
        return;
    }
    if (child->mParent != nullptr) {
        child->mParent->Remove(child);
    }
    child->mParent = this;
    mChildren.push_back(child);
    if (auto* bar = dynamic_cast<MenuBar*>(this)) {
        bar->MenuAppended(*child);
    } else {
        QtMenu()->addAction(child->QtAction());
    }
}

void MenuItem::Remove(const std::shared_ptr<MenuItem>& child)
{
    for (auto it = mChildren.begin(); it != mChildren.end(); ++it) {
        if (*it == child) {
            if (mMenu) {
                mMenu->removeAction(child->QtAction());
            }
            if (auto* bar = dynamic_cast<MenuBar*>(this)) {
                bar->MenuRemoved(*child);
            }
            child->mParent = nullptr;
            mChildren.erase(it);
            return;
        }
    }
}

std::shared_ptr<MenuItem> MenuItem::Child(const QString& name) const
{
    for (const auto& child : mChildren) {
        if (child->mName == name) {
            return child;
        }
    }
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return mChildren[static_cast<std::size_t>(index)];
}

QMenu* MenuItem::QtMenu()
{
    if (!mMenu) {
        mMenu = std::make_unique<QMenu>(mText);
        mMenu->menuAction()->setEnabled(mEnabled);
        // Menu states are worked out just before the menu shows.
        QObject::connect(mMenu.get(), &QMenu::aboutToShow, [this] {
            if (MenuBar* bar = Root()) {
                bar->EnableMenuItems();
            }
        });
    }
    return mMenu.get();
}

QAction* MenuItem::QtAction()
{
    if (mMenu) {
        return mMenu->menuAction();
    }
    if (!mAction) {
        mAction = std::make_unique<QAction>(DisplayText());
        mAction->setSeparator(IsSeparator());
        mAction->setEnabled(mEnabled);
        QObject::connect(mAction.get(), &QAction::triggered, [this] { Triggered(); });
    }
    return mAction.get();
}

void MenuItem::Triggered()
{
    // Qt flips a checkable action when it is chosen; the check mark is the
    // program's to set, so it is put back before the command runs.
    if (mAction && mAction->isCheckable()) {
        mAction->setChecked(mChecked);
    }
    if (MenuBar* bar = Root()) {
        bar->Choose(*this);
    } else {
        Event_Action();
    }
}

MenuBar* MenuItem::Root()
{
    MenuItem* item = this;
    while (item->mParent != nullptr) {
        item = item->mParent;
    }
    return dynamic_cast<MenuBar*>(item);
}

bool QuitMenuItem::Event_Action()
{
    Quit(0);
    return true;
}

} // namespace platform

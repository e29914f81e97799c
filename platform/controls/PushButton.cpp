#include "platform/controls/PushButton.h"

#include "platform/EventGuard.h"

#include <QShortcut>

namespace platform {

namespace {

QShortcut* MakeKey(QPushButton* button, int key)
{
    // The shortcut lives on the button, so it works in whichever window the
    // button ends up in and goes with it.
    auto* shortcut = new QShortcut(QKeySequence(key), button);
    shortcut->setContext(Qt::WindowShortcut);
    return shortcut;
}

} // namespace

PushButton::PushButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &PushButton::RunAction);
}

void PushButton::SetDefault(bool isDefault)
{
    setDefault(isDefault);
    delete mDefaultKeys;
    delete mEnterKey;
    mDefaultKeys = nullptr;
    mEnterKey = nullptr;
    if (isDefault) {
        mDefaultKeys = MakeKey(this, Qt::Key_Return);
        mEnterKey = MakeKey(this, Qt::Key_Enter);
        connect(mDefaultKeys, &QShortcut::activated, this, &PushButton::Push);
        connect(mEnterKey, &QShortcut::activated, this, &PushButton::Push);
    }
}

void PushButton::SetCancel(bool isCancel)
{
    delete mCancelKey;
    mCancelKey = nullptr;
    if (isCancel) {
        mCancelKey = MakeKey(this, Qt::Key_Escape);
        connect(mCancelKey, &QShortcut::activated, this, &PushButton::Push);
    }
}

void PushButton::Push()
{
    if (isEnabled() && isVisible()) {
        click();
    }
}

void PushButton::RunAction()
{
    if (OnAction) {
        // Copied: the action may close the window and with it this button.
        const auto action = OnAction;
        RunGuarded(action);
    }
}

} // namespace platform

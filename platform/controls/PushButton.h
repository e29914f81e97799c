#pragma once

#include <QPushButton>
#include <functional>

class QShortcut;

namespace platform {

// A push button. Its Action runs (through the event guard) when it is
// clicked. The default button also answers Return and Enter, the cancel
// button Escape, while its window is in front.
class PushButton : public QPushButton {
public:
    explicit PushButton(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    bool IsDefault() const { return mDefaultKeys != nullptr; }
    bool IsCancel() const { return mCancelKey != nullptr; }
    void SetDefault(bool isDefault);
    void SetCancel(bool isCancel);

    // Runs the Action as a click would.
    void Push();

    std::function<void()> OnAction;

private:
    void RunAction();

    QShortcut* mDefaultKeys = nullptr;
    QShortcut* mEnterKey = nullptr;
    QShortcut* mCancelKey = nullptr;
};

} // namespace platform

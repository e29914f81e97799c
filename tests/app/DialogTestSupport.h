#pragma once

#include "tests/support/GameSession.h"

#include "platform/MsgBox.h"
#include "platform/Window.h"

// A started game whose beeps, one-line messages and confirmation dialogs are
// recorded; each confirmation is answered with mAnswer (true: the action).
class DialogSession : public GameSession {
protected:
    void SetUp() override
    {
        GameSession::SetUp();
        platform::Hooks().beep = [this] { ++mBeeps; };
        platform::SetMsgBoxHandler([this](const QString& m) { mMessages << m; });
        platform::MessageDialog::SetResponder([this](platform::MessageDialog& d) {
            mDialogs << d.Message;
            mDialogIcons.push_back(d.Icon);
            mDialogCaptions << d.ActionButton.Caption;
            return mAnswer ? &d.ActionButton : &d.CancelButton;
        });
        StartGame();
    }

    void TearDown() override
    {
        // Dialogs are windows of their own: none may outlive its test.
        for (int left = 100; platform::Window::WindowCount() > 0 && left > 0; --left) {
            platform::Window::WindowAt(0)->close();
            FlushDeletes();
        }
        platform::SetMsgBoxHandler({});
        GameSession::TearDown();
    }

    template <class T>
    static int OpenCount()
    {
        int count = 0;
        for (int i = 0; i < platform::Window::WindowCount(); ++i) {
            count += dynamic_cast<T*>(platform::Window::WindowAt(i)) != nullptr ? 1 : 0;
        }
        return count;
    }

    void AddSolved(int number, int hints) const
    {
        Execute(QStringLiteral("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, %2)")
                    .arg(number).arg(hints));
    }

    int mBeeps = 0;
    QStringList mMessages;
    std::vector<int> mDialogIcons;
    QStringList mDialogCaptions;
    bool mAnswer = true;
};

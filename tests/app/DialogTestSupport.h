#pragma once

#include "tests/support/GameSession.h"

// A started game with room for dialog windows of its own.
class DialogSession : public GameSession {
protected:
    void SetUp() override
    {
        GameSession::SetUp();
        StartGame();
    }

    void TearDown() override
    {
        // Dialogs are windows of their own: none may outlive its test.
        for (int left = 100; platform::Window::WindowCount() > 0 && left > 0; --left) {
            platform::Window::WindowAt(0)->close();
            FlushDeletes();
        }
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
};

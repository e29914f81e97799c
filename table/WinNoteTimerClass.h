#pragma once

#include "platform/Timer.h"

// Takes the win note off the table once, three seconds after a win.
class WinNoteTimerClass : public platform::Timer {
public:
    static constexpr int kPeriod = 3000;

    WinNoteTimerClass();
    void Event_Action() override;
};

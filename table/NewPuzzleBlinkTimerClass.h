#pragma once

#include "platform/Timer.h"

// After a win, makes the New Puzzle button alternate between its highlighted
// and its normal picture until the player asks for a new puzzle.
class NewPuzzleBlinkTimerClass : public platform::Timer {
public:
    static constexpr int kPeriod = 800;

    NewPuzzleBlinkTimerClass();
    void Event_Action() override;

    // The highlighted picture is the one drawn last.
    bool mIsHilited = false;
};

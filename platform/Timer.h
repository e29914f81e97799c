#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace platform {

// A timer that sends its Action on the event loop: Mode 0 off, 1 once (then
// it turns itself off), 2 repeatedly, every Period milliseconds. Setting the
// period or the mode starts the count afresh. The timer belongs to whoever
// holds it: destroying it (the last reference released) stops it for good.
class Timer {
public:
    static constexpr int kModeOff = 0;
    static constexpr int kModeSingle = 1;
    static constexpr int kModeMultiple = 2;

    Timer();
    virtual ~Timer();

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Period() const { return mPeriod; }
    void SetPeriod(int milliseconds);
    int Mode() const { return mMode; }
    void SetMode(int mode);
    bool IsRunning() const;

    // Runs as the timer fires; the default calls Action when bound.
    virtual void Event_Action();
    std::function<void()> Action;

    // Fires once now, exactly as the event loop would (a single-shot timer
    // turns itself off); lets tests drive time instead of waiting.
    void Fire();

private:
    void Restart();

    std::unique_ptr<QTimer> mTimer;
    int mPeriod = 1000;
    int mMode = kModeOff;
};

} // namespace platform

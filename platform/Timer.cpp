#include "platform/Timer.h"

#include "platform/EventGuard.h"

#include <QTimer>

namespace platform {

Timer::Timer()
    : mTimer(std::make_unique<QTimer>())
{
    QObject::connect(mTimer.get(), &QTimer::timeout, [this] { Fire(); });
}

Timer::~Timer()
{
    mTimer->stop();
    // The timer may be released by its own action; Qt deletes it once the
    // timeout signal has returned.
    mTimer.release()->deleteLater();
}

void Timer::SetPeriod(int milliseconds)
{
    mPeriod = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void Timer::SetMode(int mode)
{
    mMode = mode;
    Restart();
}

bool Timer::IsRunning() const
{
    return mTimer->isActive();
}

void Timer::Restart()
{
    mTimer->stop();
    if (mMode == kModeSingle || mMode == kModeMultiple) {
        mTimer->setSingleShot(mMode == kModeSingle);
        mTimer->start(mPeriod);
    }
}

void Timer::Event_Action()
{
    if (Action) {
        Action();
    }
}

void Timer::Fire()
{
    if (mMode == kModeSingle) {
        mMode = kModeOff;
        mTimer->stop();
    }
    RunGuarded([this] { Event_Action(); });
}

} // namespace platform

#include "platform/Timer.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

// The win-note and blink timers' pictures are the win check's tests.
TEST(Timer, RepeatsUntilReleasedEvenByItsOwnActionAndASingleShotFiresOnce)
{
    auto timer = std::make_shared<platform::Timer>();
    int fired = 0;
    timer->Action = [&] {
        if (++fired == 2) {
            timer.reset();
        }
    };
    EXPECT_FALSE(timer->IsRunning());
    timer->SetPeriod(1);
    timer->SetMode(platform::Timer::kModeMultiple);
    EXPECT_TRUE(timer->IsRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer; }));

    // Set up as the win note's is, mode first.
    platform::Timer once;
    int onceFired = 0;
    once.Action = [&] { ++onceFired; };
    once.SetMode(platform::Timer::kModeSingle);
    once.SetPeriod(1);
    EXPECT_TRUE(once.IsRunning());
    // A repeating timer of the same period firing many times gives both
    // every chance to fire again.
    constexpr int kLaterTicks = 20;
    platform::Timer later;
    int ticks = 0;
    later.Action = [&] { ++ticks; };
    later.SetPeriod(1);
    later.SetMode(platform::Timer::kModeMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= kLaterTicks; }));
    EXPECT_EQ(std::tuple(fired, onceFired, once.IsRunning()), std::tuple(2, 1, false));
}

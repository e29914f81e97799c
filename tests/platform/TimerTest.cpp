#include "platform/Timer.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

// Single-shot timers and Fire() are driven by the win-note and blink tests.
TEST(Timer, RepeatsOnTheEventLoopUntilReleasedEvenByItsOwnAction)
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
    QTest::qWait(20); // a released timer never fires again
    EXPECT_EQ(fired, 2);
}

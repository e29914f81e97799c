#include "platform/Timer.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>

using platform::Timer;

TEST(Timer, ModesAndFiring)
{
    auto timer = std::make_shared<Timer>();
    int fired = 0;
    timer->Action = [&] { ++fired; };
    EXPECT_FALSE(timer->IsRunning());

    timer->SetPeriod(800);
    timer->SetMode(Timer::kModeMultiple);
    EXPECT_TRUE(timer->IsRunning());
    timer->Fire();
    timer->Fire();
    EXPECT_EQ(fired, 2);
    EXPECT_TRUE(timer->IsRunning());

    // A single-shot timer turns itself off after its one action.
    timer->SetMode(Timer::kModeSingle);
    timer->Fire();
    EXPECT_EQ(timer->Mode(), Timer::kModeOff);
    EXPECT_FALSE(timer->IsRunning());
}

TEST(Timer, RunsOnTheEventLoopAndStopsWhenReleased)
{
    int fired = 0;
    auto timer = std::make_shared<Timer>();
    timer->Action = [&] { ++fired; };
    timer->SetMode(Timer::kModeSingle);
    timer->SetPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired == 1; }));

    auto repeating = std::make_shared<Timer>();
    int repeats = 0;
    repeating->Action = [&] { ++repeats; };
    repeating->SetPeriod(1);
    repeating->SetMode(Timer::kModeMultiple);
    EXPECT_TRUE(QTest::qWaitFor([&] { return repeats >= 2; }));
    repeating.reset();
    const int atRelease = repeats;
    QTest::qWait(20);
    EXPECT_EQ(repeats, atRelease);
}

TEST(Timer, ActionMayReleaseItsOwnTimer)
{
    std::shared_ptr<Timer> holder = std::make_shared<Timer>();
    bool ran = false;
    holder->Action = [&] { ran = true; holder.reset(); };
    holder->SetMode(Timer::kModeMultiple);
    holder->SetPeriod(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }));
    EXPECT_FALSE(holder);
}

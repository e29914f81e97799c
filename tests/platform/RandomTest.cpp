#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

TEST(RandomTest, LessThanStaysInRangeAndReachesEveryValue)
{
    platform::Random random(7);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int v = random.LessThan(5);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 5);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(random.LessThan(1), 0);
    EXPECT_EQ(random.LessThan(0), 0);
}

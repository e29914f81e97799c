#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

TEST(RandomTest, LessThanStaysInRangeAndReachesEveryValue)
{
    platform::Random random(7);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        seen.insert(random.LessThan(5));
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(random.LessThan(1), 0);
    EXPECT_EQ(random.LessThan(0), 0);
}

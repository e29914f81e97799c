#include "model/RectClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RectTest, PointTestIncludesAllFourEdgesAndOverlapIsTheSharedArea)
{
    const RectClass rect(10, 20, 30, 40);
    const RectClass dot(5, 7, 0, 0);
    const std::tuple<RectClass, int, int, bool> points[] = {{rect, 10, 20, true}, {rect, 40, 60, true},
        {rect, 41, 60, false}, {rect, 9, 20, false}, {rect, 40, 61, false}, {dot, 5, 7, true}, {dot, 6, 7, false}};
    for (const auto& [r, x, y, inside] : points) {
        EXPECT_EQ(r.IsPointInside(x, y), inside) << x << "," << y;
    }

    // Overlap is the shared area either way round, and none when only touching.
    const RectClass cases[][3] = {
        {{0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}},
        {{0, 0, 100, 100}, {10, 20, 30, 40}, {10, 20, 30, 40}},
        {{-20, -20, 30, 25}, {0, 0, 50, 50}, {0, 0, 10, 5}},
    };
    for (const auto& [a, b, want] : cases) {
        for (const auto& [first, second] : {std::pair{a, b}, std::pair{b, a}}) {
            const auto overlap = first.GetRectOverlap(second);
            ASSERT_TRUE(overlap);
            EXPECT_EQ(std::tuple(overlap->mPosX, overlap->mPosY, overlap->mWidth, overlap->mHeight),
                      std::tuple(want.mPosX, want.mPosY, want.mWidth, want.mHeight));
        }
    }
    EXPECT_FALSE(RectClass(0, 0, 10, 10).GetRectOverlap(RectClass(10, 0, 10, 10)));
    EXPECT_FALSE(RectClass(0, 0, 10, 10).GetRectOverlap(RectClass(10, 10, 5, 5)));
    for (const RectClass& empty : {RectClass(0, 0, 0, 10), RectClass(5, 5, -4, 8)}) {
        EXPECT_FALSE(empty.GetRectOverlap(empty));
    }
    EXPECT_THROW(RectClass().GetRectOverlap(std::shared_ptr<RectClass>()), platform::NilObjectException);
}

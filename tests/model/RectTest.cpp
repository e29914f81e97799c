#include "model/RectClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RectTest, PointTestIncludesAllFourEdges)
{
    const RectClass rect(10, 20, 30, 40);
    EXPECT_TRUE(rect.IsPointInside(10, 20));
    EXPECT_TRUE(rect.IsPointInside(40, 60));
    EXPECT_FALSE(rect.IsPointInside(41, 60));
    EXPECT_FALSE(rect.IsPointInside(9, 20));
    EXPECT_FALSE(rect.IsPointInside(40, 61));
    EXPECT_TRUE(RectClass(5, 7, 0, 0).IsPointInside(5, 7));
    EXPECT_FALSE(RectClass(5, 7, 0, 0).IsPointInside(6, 7));
}

TEST(RectTest, OverlapIsTheSharedAreaEitherWayRoundAndNoneWhenOnlyTouching)
{
    struct Case {
        RectClass a, b, expected;
    };
    const Case overlapping[] = {
        {{0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}},
        {{0, 0, 100, 100}, {10, 20, 30, 40}, {10, 20, 30, 40}},
        {{-20, -20, 30, 25}, {0, 0, 50, 50}, {0, 0, 10, 5}},
    };
    for (const Case& c : overlapping) {
        for (const auto& [first, second] : {std::pair{c.a, c.b}, std::pair{c.b, c.a}}) {
            const auto overlap = first.GetRectOverlap(second);
            ASSERT_TRUE(overlap);
            EXPECT_EQ(std::tuple(overlap->mPosX, overlap->mPosY, overlap->mWidth, overlap->mHeight),
                      std::tuple(c.expected.mPosX, c.expected.mPosY, c.expected.mWidth, c.expected.mHeight));
        }
    }
    EXPECT_FALSE(RectClass(0, 0, 10, 10).GetRectOverlap(RectClass(10, 0, 10, 10)));
    EXPECT_FALSE(RectClass(0, 0, 10, 10).GetRectOverlap(RectClass(10, 10, 5, 5)));
    for (const RectClass& empty : {RectClass(0, 0, 0, 10), RectClass(5, 5, -4, 8)}) {
        EXPECT_FALSE(empty.GetRectOverlap(empty));
    }
    EXPECT_THROW(RectClass().GetRectOverlap(std::shared_ptr<RectClass>()), platform::NilObjectException);
}

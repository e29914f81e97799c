#include "model/RectClass.h"
#include "platform/NilObjectException.h"

#include <gtest/gtest.h>

TEST(RectTest, PointTestIncludesAllFourEdges)
{
    const RectClass rect(10, 20, 30, 40);
    EXPECT_TRUE(rect.IsPointInside(10, 20));
    EXPECT_TRUE(rect.IsPointInside(40, 60));
    EXPECT_TRUE(rect.IsPointInside(25, 60));
    EXPECT_FALSE(rect.IsPointInside(41, 60));
    EXPECT_FALSE(rect.IsPointInside(9, 20));
    EXPECT_FALSE(rect.IsPointInside(40, 61));
    EXPECT_FALSE(rect.IsPointInside(10, 19));

    const RectClass point(5, 7, 0, 0);
    EXPECT_TRUE(point.IsPointInside(5, 7));
    EXPECT_FALSE(point.IsPointInside(6, 7));
    EXPECT_FALSE(point.IsPointInside(5, 6));

    const RectClass negative(5, 5, -3, 2);
    EXPECT_FALSE(negative.IsPointInside(5, 5));
    EXPECT_FALSE(negative.IsPointInside(3, 5));
}

TEST(RectTest, OverlapIsTheSharedAreaEitherWayRoundAndNoneForTouchingRects)
{
    struct Case {
        RectClass a, b;
        bool overlaps;
        RectClass expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 10, 10}, false, {}},
        {{0, 0, 10, 10}, {0, 10, 10, 10}, false, {}},
        {{0, 0, 10, 10}, {10, 10, 5, 5}, false, {}},
        {{0, 0, 10, 10}, {5, 5, 10, 10}, true, {5, 5, 5, 5}},
        {{0, 0, 100, 100}, {10, 20, 30, 40}, true, {10, 20, 30, 40}},
        {{-20, -20, 30, 25}, {0, 0, 50, 50}, true, {0, 0, 10, 5}},
    };
    for (const Case& c : cases) {
        for (const auto& [first, second] : {std::pair{c.a, c.b}, std::pair{c.b, c.a}}) {
            const auto overlap = first.GetRectOverlap(second);
            ASSERT_EQ(static_cast<bool>(overlap), c.overlaps)
                << first.mPosX << "," << first.mPosY << " with " << second.mPosX << "," << second.mPosY;
            if (overlap) {
                EXPECT_EQ(overlap->mPosX, c.expected.mPosX);
                EXPECT_EQ(overlap->mPosY, c.expected.mPosY);
                EXPECT_EQ(overlap->mWidth, c.expected.mWidth);
                EXPECT_EQ(overlap->mHeight, c.expected.mHeight);
            }
        }
    }
    // Neither rectangle is changed by the question.
    const RectClass a(0, 0, 10, 10);
    const auto b = std::make_shared<RectClass>(5, 5, 10, 10);
    ASSERT_TRUE(a.GetRectOverlap(b));
    EXPECT_EQ(b->mPosX, 5);
    EXPECT_EQ(b->mWidth, 10);
}

TEST(RectTest, EmptyOrInvertedRectsOverlapNothingAndAMissingRectRaises)
{
    for (const RectClass& empty : {RectClass(0, 0, 0, 10), RectClass(0, 0, 10, 0), RectClass(5, 5, -4, 8)}) {
        EXPECT_FALSE(empty.GetRectOverlap(empty));
        EXPECT_FALSE(empty.GetRectOverlap(RectClass(-100, -100, 300, 300)));
    }
    EXPECT_THROW(RectClass(0, 0, 10, 10).GetRectOverlap(std::shared_ptr<RectClass>()),
                 platform::NilObjectException);
}

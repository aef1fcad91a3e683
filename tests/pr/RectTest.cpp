#include "pr/Rect.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(RectIntersection, FollowsTheClipRule) {
    struct Case {
        const char* what;
        pr::Rect first, second, expected;
    };
    const Case cases[] = {
        {"EmptyFirstGivesSecond", {0, 0, 0, 0}, {0, 0, 800, 600}, {0, 0, 800, 600}},
        {"EmptySecondGivesFirst", {10, 20, 30, 40}, {5, 5, 0, 0}, {10, 20, 30, 40}},
        {"OnlyZeroWidthIsNotEmpty", {10, 10, 0, 50}, {0, 0, 800, 600}, {10, 10, 0, 50}},
        {"Inside", {10, 20, 30, 40}, {0, 0, 800, 600}, {10, 20, 30, 40}},
        {"OverTheTopLeftCorner", {-10, -10, 50, 50}, {0, 0, 800, 600}, {0, 0, 40, 40}},
        {"OverTheBottomRightCorner", {780, 590, 50, 50}, {0, 0, 800, 600}, {780, 590, 20, 10}},
        {"TouchingEdgesGiveZeroExtent", {800, 0, 10, 10}, {0, 0, 800, 600}, {800, 0, 0, 10}},
        {"ApartGivesTheEmptyRectangle", {900, 700, 10, 10}, {0, 0, 800, 600}, {0, 0, 0, 0}},
        {"NearTheIntLimitsDoesNotWrap",
         {INT_MAX - 5, 0, 10, 10},
         {0, 0, INT_MAX, 600},
         {INT_MAX - 5, 0, 5, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pr::Rect result = pr::intersectRects(c.first, c.second);
        EXPECT_EQ(result.x, c.expected.x);
        EXPECT_EQ(result.y, c.expected.y);
        EXPECT_EQ(result.w, c.expected.w);
        EXPECT_EQ(result.h, c.expected.h);
    }
}

} // namespace

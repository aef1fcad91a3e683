#include "engine/FrameTiming.h"
#include "engine/FrameRateEstimator.h"

#include <gtest/gtest.h>

namespace {

using namespace frametiming;

TEST(FrameTiming, FrameRateGivesTruncatedFixedInterval) {
    EXPECT_EQ(16u, fixedIntervalFor(60));
    EXPECT_EQ(33u, fixedIntervalFor(30));
    EXPECT_EQ(0u, fixedIntervalFor(0));
    EXPECT_EQ(0u, fixedIntervalFor(-1));
}

TEST(FrameTiming, LongStepsBecomeOneNominalFrame) {
    EXPECT_FLOAT_EQ(0.2f, frameStepFor(200, 0));
    EXPECT_FLOAT_EQ(0.01f, frameStepFor(201, 0));
    EXPECT_FLOAT_EQ(0.016f, frameStepFor(5000, 16));
    EXPECT_FLOAT_EQ(0.017f, frameStepFor(17, 16));
}

TEST(FrameTiming, FrameIsDueAtIntervalPlusExtraDelay) {
    EXPECT_FALSE(frameDue(15, 16, 0));
    EXPECT_TRUE(frameDue(16, 16, 0));
    EXPECT_FALSE(frameDue(28, 16, 13));
    EXPECT_TRUE(frameDue(29, 16, 13));
    EXPECT_TRUE(frameDue(1, 0, 0));
}

TEST(FrameTiming, IdlesOnlyWellBeforeTheNextFixedFrame) {
    EXPECT_TRUE(shouldIdle(12, 16));
    EXPECT_FALSE(shouldIdle(13, 16));
    EXPECT_FALSE(shouldIdle(1, 0));
}

TEST(FrameRateEstimator, SteadyThirtyAgainstSixteenSettlesAtThirteen) {
    FrameRateEstimator estimator;
    uint32_t delay = 0;
    for (int frame = 0; frame < 2000; ++frame) {
        delay = estimator.pace(30, 16);
    }
    EXPECT_EQ(13u, delay);
    EXPECT_LT(estimator.smoothed(), 30.0f);
    EXPECT_GT(estimator.smoothed(), 29.9f);
}

TEST(FrameRateEstimator, FirstFrameMovesFivePercentAndFastFramesNeedNoDelay) {
    FrameRateEstimator estimator;
    EXPECT_EQ(0u, estimator.pace(30, 16)); // smoothed 1.5 truncates to 1, below 16
    EXPECT_FLOAT_EQ(1.5f, estimator.smoothed());
    FrameRateEstimator idle;
    EXPECT_EQ(0u, idle.pace(0, 0));
}

TEST(FrameRateEstimator, SuddenSlowFrameIsFollowedQuickly) {
    FrameRateEstimator estimator;
    for (int frame = 0; frame < 500; ++frame) {
        estimator.pace(20, 0);
    }
    const float before = estimator.smoothed();
    estimator.pace(40, 0);
    EXPECT_NEAR(before + 0.4f * (40.0f - before), estimator.smoothed(), 0.001f);
}

} // namespace

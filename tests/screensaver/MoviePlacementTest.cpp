#include "screensaver/MoviePlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(MoviePlacement, CentresAndStretchesToTheScreen) {
    struct Case {
        int screenWidth, screenHeight, pictureWidth, pictureHeight;
        float x, y, scaleX, scaleY;
    };
    const Case cases[] = {
        {1024, 768, 640, 360, 512.0f, 384.0f, 1.6f, 2.1333333f},
        {1023, 768, 640, 360, 511.0f, 384.0f, 1.5984375f, 2.1333333f}, // half truncated
        {640, 360, 640, 360, 320.0f, 180.0f, 1.0f, 1.0f},
        {800, 600, 1280, 720, 400.0f, 300.0f, 0.625f, 0.8333333f}, // larger movie shrinks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenWidth << "x" << c.screenHeight << " over "
                                        << c.pictureWidth << "x" << c.pictureHeight);
        const screensaver::MoviePlacement p =
            screensaver::placeMovie(c.screenWidth, c.screenHeight, c.pictureWidth, c.pictureHeight);
        EXPECT_FLOAT_EQ(c.x, p.x);
        EXPECT_FLOAT_EQ(c.y, p.y);
        EXPECT_FLOAT_EQ(c.scaleX, p.scaleX);
        EXPECT_FLOAT_EQ(c.scaleY, p.scaleY);
    }
}

TEST(MoviePlacement, EmptyPictureKeepsScaleOne) {
    const screensaver::MoviePlacement p = screensaver::placeMovie(1024, 768, 0, 0);
    EXPECT_FLOAT_EQ(1.0f, p.scaleX);
    EXPECT_FLOAT_EQ(1.0f, p.scaleY);
}

} // namespace

#include "pr/PictureConversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

uint32_t word(int y, int cb, int cr, int ignored = 0) {
    return uint32_t(cr) | uint32_t(cb) << 8 | uint32_t(y) << 16 | uint32_t(ignored) << 24;
}

// B, G, R and the kept alpha of one converted pixel.
struct Bgra {
    int b, g, r, a;
};

Bgra convertOne(uint32_t source, uint8_t alpha, bool sse2) {
    uint8_t pixel[4] = {1, 2, 3, alpha};
    if (sse2) {
        // The SSE2 routine takes four pixels a step; give it a full step.
        uint32_t sources[4] = {source, source, source, source};
        uint8_t pixels[16];
        for (int i = 0; i < 16; i += 4) {
            std::memcpy(pixels + i, pixel, 4);
        }
        pr::convertRowSSE2(sources, 4, pixels);
        std::memcpy(pixel, pixels, 4);
    } else {
        pr::convertRowScalar(&source, 1, pixel);
    }
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

class PictureConversion : public ::testing::TestWithParam<bool> {};

TEST_P(PictureConversion, FollowsTheFormulaAndClampsBothWays) {
    struct Case {
        const char* what;
        int y, cb, cr;
        Bgra expected;
    };
    const Case cases[] = {
        {"BlackAtLuma16", 16, 128, 128, {0, 0, 0, 0x5A}},
        {"WhiteAt235AfterClamping", 235, 128, 128, {255, 255, 255, 0x5A}},
        {"BelowBlackClampsTo0", 0, 128, 128, {0, 0, 0, 0x5A}},
        {"AboveWhiteClampsTo255", 255, 128, 128, {255, 255, 255, 0x5A}},
        // (298*65 + 128) >> 8 = 76; red (409*112 + 19498) >> 8 = 255 after clamping,
        // green (19498 - 100*-38 - 208*112) >> 8 = -16 -> 0, blue (19498 + 516*-38) >> 8 = -1 -> 0.
        {"SaturatedRed", 81, 90, 240, {0, 0, 255, 0x5A}},
        {"MidGrey", 126, 128, 128, {128, 128, 128, 0x5A}},
        {"AllThreeInRange", 100, 150, 120, {142, 96, 85, 0x5A}},
        {"NegativeBlueClampsTo0", 60, 100, 160, {0, 36, 102, 0x5A}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bgra out = convertOne(word(c.y, c.cb, c.cr, 0xEE), 0x5A, GetParam());
        EXPECT_EQ(out.b, c.expected.b);
        EXPECT_EQ(out.g, c.expected.g);
        EXPECT_EQ(out.r, c.expected.r);
        EXPECT_EQ(out.a, c.expected.a) << "alpha must stay as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(Routines, PictureConversion, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SSE2" : "Scalar";
                         });

TEST(PictureConversionRoutines, SSE2AndScalarGiveTheSameBytesForEveryTriple) {
    if (!pr::hasSSE2Routine()) {
        GTEST_SKIP() << "this build has no SSE2 routine";
    }
    // One row per luma value: 65536 (Cb, Cr) pairs, the ignored byte and the
    // destination alpha varying too.
    const int count = 1 << 16;
    std::vector<uint32_t> source(count);
    std::vector<uint8_t> scalar(size_t(count) * 4), sse2(size_t(count) * 4);
    for (int y = 0; y < 256; ++y) {
        for (int i = 0; i < count; ++i) {
            source[i] = word(y, i >> 8, i & 0xFF, (i * 7) & 0xFF);
        }
        for (size_t i = 0; i < scalar.size(); ++i) {
            scalar[i] = sse2[i] = uint8_t(i * 13 + y);
        }
        pr::convertRowScalar(source.data(), count, scalar.data());
        pr::convertRowSSE2(source.data(), count, sse2.data());
        ASSERT_EQ(0, std::memcmp(scalar.data(), sse2.data(), scalar.size())) << "luma " << y;
    }
}

TEST(PictureConversionRoutines, RowsOfAnyLengthConvertEveryPixelAndNothingBeyond) {
    for (int count = 0; count <= 9; ++count) {
        SCOPED_TRACE(count);
        std::vector<uint32_t> source(size_t(count), word(235, 128, 128));
        std::vector<uint8_t> pixels(size_t(count + 1) * 4, 0x11);
        pr::convertRowSSE2(source.data(), count, pixels.data());
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(pixels[size_t(i) * 4], 0xFF);
        }
        EXPECT_EQ(pixels[size_t(count) * 4], 0x11) << "wrote past the row";
    }
}

// A 3 x 2 picture into a surface 5 pixels wide: the rest of each row stays.
TEST(PictureConversionRoutines, PictureKeepsTheSurfaceRightOfIt) {
    const uint32_t white = word(235, 128, 128), black = word(16, 128, 128);
    const uint32_t picture[6] = {white, black, white, black, white, black};
    std::vector<uint32_t> surface(10, 0x12345678);
    pr::convertPicture(picture, 3, 2, reinterpret_cast<uint8_t*>(surface.data()), 5 * 4);
    const std::vector<uint32_t> expected = {0x12FFFFFF, 0x12000000, 0x12FFFFFF, 0x12345678,
                                            0x12345678, 0x12000000, 0x12FFFFFF, 0x12000000,
                                            0x12345678, 0x12345678};
    EXPECT_EQ(surface, expected);
}

// A picture larger than the texture is scaled into it, never past it.
TEST(PictureConversionRoutines, ScaledPictureFillsTheSmallerAreaAndNothingMore) {
    const int width = 8, height = 6, toWidth = 4, toHeight = 3, pitchPixels = 5;
    std::vector<uint32_t> picture(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Left half white, right half black: the halves must survive scaling.
            picture[size_t(y) * width + x] =
                x < width / 2 ? word(235, 128, 128) : word(16, 128, 128);
        }
    }
    std::vector<uint32_t> surface(size_t(pitchPixels) * (toHeight + 1), 0xAB000000);
    pr::convertPictureScaled(picture.data(), width, height,
                             reinterpret_cast<uint8_t*>(surface.data()), pitchPixels * 4, toWidth,
                             toHeight);
    for (int y = 0; y <= toHeight; ++y) {
        for (int x = 0; x < pitchPixels; ++x) {
            SCOPED_TRACE(testing::Message() << "x " << x << " y " << y);
            uint32_t expected = 0xAB000000;
            if (y < toHeight && x < toWidth) {
                expected = x < toWidth / 2 ? 0xABFFFFFF : 0xAB000000;
            }
            EXPECT_EQ(surface[size_t(y) * pitchPixels + x], expected);
        }
    }
}

} // namespace

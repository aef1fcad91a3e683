// Portable rules of the engine: key names, random numbers, display modes,
// blend factors, clipping and paths.
#include "engine/DisplayModes.h"
#include "engine/DrawState.h"
#include "engine/Engine.h"
#include "engine/EnginePaths.h"
#include "engine/EngineRandom.h"
#include "engine/KeyNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(KeyNames, NamedAndUnnamedCodes) {
    struct Case {
        int key;
        const char* name;
    };
    const Case cases[] = {
        {1, "Left Mouse Button"},
        {13, "Enter"},
        {48, "0"},
        {57, "9"},
        {65, "A"},
        {90, "Z"},
        {96, "NumPad 0"},
        {105, "NumPad 9"},
        {112, "F1"},
        {123, "F12"},
        {222, "Apostrophe"},
        {108, "?"},
        {200, "?"},
        {0, "?"},
        {-1, "?"},
        {256, "?"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.name, engineKeyName(c.key)) << c.key;
    }
}

TEST(EngineRandom, FollowsItsFormula) {
    enginerandom::setState(12345);
    uint32_t s = 12345;
    for (int i = 0; i < 50; ++i) {
        s = s * 214013u + 2531011u;
        const int expected = 10 + static_cast<int>((s ^ (s >> 15)) % 91u);
        EXPECT_EQ(expected, enginerandom::integer(10, 100));
        s = s * 214013u + 2531011u;
        const float expectedReal =
            static_cast<float>(-1.0 + 3.0 * ((s >> 16) * 65537.0 / 4294967296.0));
        EXPECT_FLOAT_EQ(expectedReal, enginerandom::real(-1.0f, 2.0f));
    }
}

TEST(EngineRandom, DegenerateAndFullRanges) {
    enginerandom::setState(7);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(5, enginerandom::integer(5, 5));
    }
    // The whole int range must not divide by zero.
    enginerandom::integer(-2147483647 - 1, 2147483647);
}

TEST(EngineRandom, RealNeverReachesMax) {
    // A state whose upper half is 0xFFFF after the step gives the largest fraction.
    const uint32_t wanted = 0xFFFF1234u;
    // Invert s' = s * 214013 + 2531011 (214013 is odd, so it has an inverse mod 2^32).
    uint32_t inverse = 1;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - 214013u * inverse;
    }
    enginerandom::setState((wanted - 2531011u) * inverse);
    const float value = enginerandom::real(0.0f, 1.0f);
    EXPECT_EQ(wanted, enginerandom::state());
    EXPECT_LT(value, 1.0f);
    EXPECT_GT(value, 0.99f);
}

TEST(DisplayModes, RanksAndNames) {
    EXPECT_EQ(4, displayFormatRank(DisplayFormatX8R8G8B8));
    EXPECT_EQ(0, displayFormatRank(20)); // R8G8B8 has no rank
    EXPECT_STREQ("A1R5G5B5", displayFormatName(DisplayFormatA1R5G5B5));
    EXPECT_STREQ("UNKNOWN", displayFormatName(0));
}

TEST(DisplayModes, FullScreenModeSearch) {
    struct Case {
        const char* what;
        std::vector<DisplayMode> modes;
        int width, height, depth;
        uint32_t format;
        int chosenWidth, chosenHeight;
    };
    const Case cases[] = {
        {"exact size takes the best format",
         {{800, 600, DisplayFormatR5G6B5},
          {800, 600, DisplayFormatX8R8G8B8},
          {1024, 768, DisplayFormatA8R8G8B8}},
         800,
         600,
         32,
         DisplayFormatX8R8G8B8,
         800,
         600},
        {"no 32-bit format at depth 16",
         {{800, 600, DisplayFormatR5G6B5}, {800, 600, DisplayFormatX8R8G8B8}},
         800,
         600,
         16,
         DisplayFormatR5G6B5,
         800,
         600},
        {"only 32-bit formats at depth 16 give none",
         {{800, 600, DisplayFormatX8R8G8B8}},
         800,
         600,
         16,
         0,
         800,
         600},
        {"nearest size when the size is absent",
         {{640, 480, DisplayFormatX8R8G8B8},
          {1024, 768, DisplayFormatX8R8G8B8},
          {1280, 1024, DisplayFormatX8R8G8B8}},
         1000,
         700,
         32,
         DisplayFormatX8R8G8B8,
         1024,
         768},
        {"later mode wins a tie",
         {{700, 600, DisplayFormatX8R8G8B8}, {900, 600, DisplayFormatR5G6B5}},
         800,
         600,
         32,
         DisplayFormatX8R8G8B8,
         900,
         600},
        {"nearest search skips 32-bit formats at depth 16",
         {{1024, 768, DisplayFormatR5G6B5}, {1024, 768, DisplayFormatX8R8G8B8}},
         1000,
         700,
         16,
         DisplayFormatR5G6B5,
         1024,
         768},
        {"16-bit formats rank R5G6B5, X1R5G5B5, A1R5G5B5",
         {{800, 600, DisplayFormatA1R5G5B5},
          {800, 600, DisplayFormatX1R5G5B5},
          {800, 600, DisplayFormatR5G6B5}},
         800,
         600,
         16,
         DisplayFormatA1R5G5B5,
         800,
         600},
        {"X1R5G5B5 over R5G6B5",
         {{800, 600, DisplayFormatR5G6B5}, {800, 600, DisplayFormatX1R5G5B5}},
         800,
         600,
         16,
         DisplayFormatX1R5G5B5,
         800,
         600},
        {"an unranked format never wins", {{800, 600, 20}}, 800, 600, 32, 0, 800, 600},
        {"an unranked format does not displace a ranked one",
         {{800, 600, DisplayFormatR5G6B5}, {800, 600, 20}},
         800,
         600,
         32,
         DisplayFormatR5G6B5,
         800,
         600},
        {"empty list", {}, 800, 600, 32, 0, 320, 320},
    };
    for (const Case& c : cases) {
        int width = c.width;
        int height = c.height;
        EXPECT_EQ(c.format,
                  chooseFullScreenMode(c.modes.data(), c.modes.size(), width, height, c.depth))
            << c.what;
        EXPECT_EQ(c.chosenWidth, width) << c.what;
        EXPECT_EQ(c.chosenHeight, height) << c.what;
    }
}

TEST(DrawState, ExplicitBlendFactors) {
    struct Case {
        int blend;
        uint32_t source, dest;
    };
    const Case cases[] = {
        {EngineBlendExplicit, BlendFactorSrcAlpha, BlendFactorInvSrcAlpha},
        {EngineBlendExplicit | EngineBlendSrcAlpha | EngineBlendDestInvSrcAlpha,
         BlendFactorSrcAlpha, BlendFactorInvSrcAlpha},
        {EngineBlendExplicit | EngineBlendSrcOne | EngineBlendDestOne, BlendFactorOne,
         BlendFactorOne},
        {EngineBlendExplicit | EngineBlendSrcZero | EngineBlendSrcOne | EngineBlendDestZero,
         BlendFactorZero, BlendFactorZero},
        {EngineBlendExplicit | EngineBlendSrcDestColour | EngineBlendDestSrcColour,
         BlendFactorDestColour, BlendFactorSrcColour},
        {EngineBlendExplicit | EngineBlendSrcInvDestColour | EngineBlendDestInvDestColour,
         BlendFactorInvDestColour, BlendFactorInvDestColour},
        {EngineBlendExplicit | EngineBlendSrcInvAlpha | EngineBlendDestSrcAlpha,
         BlendFactorInvSrcAlpha, BlendFactorSrcAlpha},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.source, explicitSourceFactor(c.blend)) << std::hex << c.blend;
        EXPECT_EQ(c.dest, explicitDestFactor(c.blend)) << std::hex << c.blend;
    }
}

TEST(DrawState, ClipRectangleStaysInsideTheReferenceArea) {
    struct Case {
        int x, y, w, h;
        ClipViewport expected;
    };
    const Case cases[] = {
        {-10, -10, 50, 50, {0, 0, 40, 40}},     {0, 0, 0, 0, {0, 0, 800, 600}},
        {780, 590, 50, 50, {780, 590, 20, 10}}, {-100, 10, 50, 10, {0, 10, 0, 10}},
        {900, 700, 10, 10, {900, 700, 0, 0}},
    };
    for (const Case& c : cases) {
        const ClipViewport v = clipViewport(c.x, c.y, c.w, c.h, 800, 600);
        EXPECT_EQ(c.expected.x, v.x);
        EXPECT_EQ(c.expected.y, v.y);
        EXPECT_EQ(c.expected.w, v.w) << c.x << "," << c.y;
        EXPECT_EQ(c.expected.h, v.h) << c.x << "," << c.y;
    }
}

TEST(EnginePaths, Resolve) {
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "C:\\app\\"},         {"data/fonts/a.fnt", "C:\\app\\data\\fonts\\a.fnt"},
        {"D:/x/y.ini", "D:\\x\\y.ini"}, {"\\abs\\file", "\\abs\\file"},
        {"/abs/file", "\\abs\\file"},   {"a", "C:\\app\\a"},
    };
    char out[enginepaths::maxPath];
    for (const Case& c : cases) {
        EXPECT_TRUE(enginepaths::resolve("C:\\app\\", c.name, out, sizeof(out)));
        EXPECT_STREQ(c.expected, out);
    }
}

TEST(EnginePaths, OverlongResultsAreRefusedNotCut) {
    char out[enginepaths::maxPath];
    const std::string longName(260 - 7, 'x'); // 7 + 253 + terminator: one too many
    EXPECT_FALSE(enginepaths::resolve("C:\\app\\", longName.c_str(), out, sizeof(out)));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(enginepaths::resolve("C:\\app\\", longName.substr(1).c_str(), out, sizeof(out)));
    EXPECT_FALSE(enginepaths::packName(std::string(260, 'a').c_str(), out, sizeof(out)));
    EXPECT_TRUE(enginepaths::packName("data/Sub/file.PNG", out, sizeof(out)));
    EXPECT_STREQ("DATA\\SUB\\FILE.PNG", out);
}

TEST(EnginePaths, BoundedCopyCutsAndTerminates) {
    char out[8];
    EXPECT_TRUE(enginepaths::copyBounded(out, sizeof(out), "1234567"));
    EXPECT_STREQ("1234567", out);
    EXPECT_FALSE(enginepaths::copyBounded(out, sizeof(out), "123456789"));
    EXPECT_STREQ("1234567", out);
}

} // namespace

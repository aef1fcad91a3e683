#include "pr/Sprite.h"
#include "ph/Pointer.h"
#include "pr/Animation.h"
#include "pr/ShadedRect.h"
#include "tests/support/FakeRenderer.h"
#include "tests/support/RecordingEngine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::RecordingEngine::makeCurrent(&engine); }
    void TearDown() override { testsupport::RecordingEngine::makeCurrent(nullptr); }

    // The quad of the last draw.
    const EngineQuad& drawn() const { return engine.quads.back(); }

    testsupport::RecordingEngine engine;
};

TEST_F(SpriteTest, CentreHotSpotStaysOnThePointUnderAnyRotation) {
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(nullptr, 0, 0, 40, 20));
    sprite->SetHotSpot(20, 10);
    for (float rotation : {0.0f, 0.5f, 1.5707964f, 3.1415927f, 4.0f, -2.2f}) {
        SCOPED_TRACE(rotation);
        sprite->Draw(100, 50, rotation, 1.5f);
        float cx = 0, cy = 0;
        for (const EngineVertex& v : drawn().v) {
            cx += v.x / 4;
            cy += v.y / 4;
        }
        EXPECT_NEAR(cx, 100.0f, 1e-3);
        EXPECT_NEAR(cy, 50.0f, 1e-3);
        // vscale 0 takes hscale: both sides grow by 1.5.
        EXPECT_NEAR(std::hypot(drawn().v[1].x - drawn().v[0].x, drawn().v[1].y - drawn().v[0].y),
                    60.0f, 1e-3);
        EXPECT_NEAR(std::hypot(drawn().v[2].x - drawn().v[1].x, drawn().v[2].y - drawn().v[1].y),
                    30.0f, 1e-3);
    }
}

TEST_F(SpriteTest, UnrotatedCornersFollowHotSpotAndScales) {
    struct Case {
        const char* what;
        float hscale, vscale;
        float left, top, right, bottom;
    };
    // A 40 x 20 sprite with its hot spot at (10, 5), drawn at (100, 50).
    const Case cases[] = {
        {"Unscaled", 1, 0, 90, 45, 130, 65},
        {"VscaleZeroTakesHscale", 2, 0, 80, 40, 160, 80},
        {"OwnVscale", 2, 0.5f, 80, 47.5f, 160, 57.5f},
    };
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(nullptr, 0, 0, 40, 20));
    sprite->SetHotSpot(10, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sprite->Draw(100, 50, 0, c.hscale, c.vscale);
        const EngineVertex* v = drawn().v;
        EXPECT_EQ(v[0].x, c.left);
        EXPECT_EQ(v[0].y, c.top);
        EXPECT_EQ(v[1].x, c.right);
        EXPECT_EQ(v[1].y, c.top);
        EXPECT_EQ(v[2].x, c.right);
        EXPECT_EQ(v[2].y, c.bottom);
        EXPECT_EQ(v[3].x, c.left);
        EXPECT_EQ(v[3].y, c.bottom);
    }
}

TEST_F(SpriteTest, QuadCarriesTextureCoordinatesOfTheRectangleOnTheSurface) {
    ph::Pointer<testsupport::FakeTexture> texture =
        ph::adopt(new testsupport::FakeTexture(50, 30, 64, 32));
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(texture.get(), 16, 8, 32, 16));
    const EngineQuad& quad = sprite->Quad();
    EXPECT_EQ(quad.texture, texture->NativeHandle());
    EXPECT_EQ(quad.texture2, nullptr);
    EXPECT_EQ(quad.blend, EngineBlendDefault);
    const float expected[4][2] = {{0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.75f}, {0.25f, 0.75f}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(quad.v[i].tu, expected[i][0]);
        EXPECT_EQ(quad.v[i].tv, expected[i][1]);
        EXPECT_EQ(quad.v[i].colour, 0xFFFFFFFFu);
        EXPECT_EQ(quad.v[i].z, 0.5f);
    }
    EXPECT_EQ(sprite->TextureWidth(), 64.0f);
    EXPECT_EQ(sprite->TextureHeight(), 32.0f);
}

TEST_F(SpriteTest, SpriteHoldsOneEngineReferenceForItsLife) {
    pr::Sprite* sprite = new pr::Sprite(nullptr, 0, 0, 1, 1);
    EXPECT_EQ(engine.acquires, 1);
    EXPECT_EQ(engine.releases, 0);
    sprite->release();
    EXPECT_EQ(engine.releases, 1);
}

TEST_F(SpriteTest, OpaqueTestAsksTheTextureOnlyInsideTheRectangle) {
    ph::Pointer<testsupport::FakeTexture> texture = ph::adopt(new testsupport::FakeTexture(64, 32));
    // The sprite's (3, 2) is the texture's (19, 10).
    texture->pixels[10 * 64 + 19] = 0x01FFFFFF;
    texture->pixels[10 * 64 + 20] = 0x00FFFFFF;
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(texture.get(), 16, 8, 32, 16));
    struct Case {
        const char* what;
        float x, y;
        bool opaque, asksTexture;
    };
    const Case cases[] = {
        {"AlphaOneIsOpaque", 3, 2, true, true},
        {"AlphaZeroIsNot", 4, 2, false, true},
        {"RightEdgeIsOutside", 32, 0, false, false},
        {"BottomEdgeIsOutside", 0, 16, false, false},
        {"LeftOfTheRectangle", -0.5f, 3, false, false},
        {"NotANumber", std::nanf(""), 3, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        texture->opaqueQueries = 0;
        EXPECT_EQ(sprite->IsOpaqueAt(c.x, c.y), c.opaque);
        EXPECT_EQ(texture->opaqueQueries, c.asksTexture ? 1 : 0);
    }
}

TEST_F(SpriteTest, RectangleReachingPastTheSurfaceWrapsAround) {
    ph::Pointer<testsupport::FakeTexture> texture = ph::adopt(new testsupport::FakeTexture(16, 8));
    texture->pixels[1 * 16 + 2] = 0xFF000000;
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(texture.get(), 12, 0, 8, 8));
    EXPECT_TRUE(sprite->IsOpaqueAt(6, 1)); // 12 + 6 = 18 wraps to 2
    EXPECT_FALSE(sprite->IsOpaqueAt(5, 1));
}

TEST_F(SpriteTest, SpriteWithoutTextureIsNeverOpaque) {
    ph::Pointer<pr::Sprite> sprite = ph::adopt(new pr::Sprite(nullptr, 0, 0, 10, 10));
    EXPECT_FALSE(sprite->IsOpaqueAt(5, 5));
}

TEST_F(SpriteTest, AnimationHasItsHotSpotInTheCentreAndOneSecondPerFrameAtZeroFps) {
    struct Case {
        float fps, secondsPerFrame;
    };
    for (const Case& c : {Case{0, 1.0f}, Case{25, 0.04f}}) {
        SCOPED_TRACE(c.fps);
        ph::Pointer<pr::Animation> animation =
            ph::adopt(new pr::Animation(nullptr, c.fps, 0, 0, 320, 240));
        EXPECT_EQ(animation->SecondsPerFrame(), c.secondsPerFrame);
        EXPECT_EQ(animation->HotSpotX(), 160.0f);
        EXPECT_EQ(animation->HotSpotY(), 120.0f);
        animation->Update(5.0f);
        EXPECT_FALSE(animation->IsPlaying());
        EXPECT_EQ(animation->CurrentFrame(), 0);
        EXPECT_EQ(animation->FrameCount(), 1);
    }
}

TEST_F(SpriteTest, ShadedRectangleIsOneUntexturedTranslucentQuad) {
    pr::DrawShadedRect(10, 20, 300, 40);
    ASSERT_EQ(engine.quads.size(), 1u);
    const EngineQuad& quad = engine.quads[0];
    EXPECT_EQ(quad.texture, nullptr);
    EXPECT_EQ(quad.blend, 3);
    const float corners[4][2] = {{10, 20}, {310, 20}, {310, 60}, {10, 60}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(quad.v[i].x, corners[i][0]);
        EXPECT_EQ(quad.v[i].y, corners[i][1]);
        EXPECT_EQ(quad.v[i].z, 0.0f);
        EXPECT_EQ(quad.v[i].colour, 0xAA00000Fu);
    }
    EXPECT_EQ(engine.acquires, engine.releases);
}

} // namespace

#include "wf/scene/SpriteElement.h"
#include "tests/support/RecordingEngine.h"
#include "wf/scene/CompositeObject.h"

#include "ph/AutoreleasePool.h"
#include "ph/Pointer.h"
#include "pr/Animation.h"
#include "pr/Texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

const float Pi = 3.14159265f;

// A texture whose pixels are opaque only where the test says, recording
// the points it was asked about.
struct MaskTexture : pr::Texture {
    MaskTexture(int width, int height) {
        SetImageSize(width, height);
        SetSurfaceSize(width, height);
    }
    EngineTexture NativeHandle() override { return reinterpret_cast<EngineTexture>(0x70); }
    EngineTexture NativeHandle2() override { return NativeHandle(); }
    uint32_t* Lock(const pr::Rect&, int) override { return nullptr; }
    void Unlock() override {}
    bool IsOpaqueAt(int x, int y, int) override {
        asked.emplace_back(x, y);
        return opaque;
    }
    void Bind() override {}

    bool opaque = false;
    std::vector<std::pair<int, int>> asked;
};

class SpriteElementTest : public testing::Test {
protected:
    SpriteElementTest() { testsupport::RecordingEngine::makeCurrent(&engine); }
    ~SpriteElementTest() override { testsupport::RecordingEngine::makeCurrent(nullptr); }

    // A sprite element showing a width x height frame, attached to the root.
    ph::Pointer<wf::SpriteElement> frame(float width, float height,
                                         pr::Texture* texture = nullptr) {
        ph::Pointer<wf::SpriteElement> e = ph::adopt(new wf::SpriteElement());
        ph::Pointer<pr::Animation> a =
            ph::adopt(new pr::Animation(texture, 0, 0, 0, width, height));
        e->setAnimation(a.get());
        root.addChild(e.get());
        return e;
    }

    testsupport::RecordingEngine engine; // outlives the sprites the pool drains
    ph::AutoreleasePool pool;
    wf::CompositeObject root;
};

void expectCorners(const wf::SpriteElement& e, const std::vector<ph::Vector<float>>& expected) {
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(e.corners()[i].x, expected[i].x, 1e-3f);
        EXPECT_NEAR(e.corners()[i].y, expected[i].y, 1e-3f);
    }
}

void expectBounds(const wf::Bounds& b, wf::Bounds expected) {
    EXPECT_NEAR(b.x, expected.x, 1e-3f);
    EXPECT_NEAR(b.y, expected.y, 1e-3f);
    EXPECT_NEAR(b.width, expected.width, 1e-3f);
    EXPECT_NEAR(b.height, expected.height, 1e-3f);
}

TEST_F(SpriteElementTest, PivotFollowsTheHotSpotAndBack) {
    ph::Pointer<wf::SpriteElement> e = frame(100, 50);
    EXPECT_EQ(e->pivot(), ph::Vector<float>(50, 25)) << "an animation's hot spot is its centre";
    e->setPivot({0, 0});
    EXPECT_EQ(e->animation()->HotSpotX(), 0.0f);
    EXPECT_EQ(e->animation()->HotSpotY(), 0.0f);
}

TEST_F(SpriteElementTest, CornersAndBoundsFollowTheTransform) {
    ph::Pointer<wf::SpriteElement> e = frame(100, 50);
    e->setPivot({0, 0});
    e->setPosition({10, 20});
    e->setScale({2, 2});
    root.draw(1);
    expectCorners(*e, {{10, 20}, {210, 20}, {210, 120}, {10, 120}});
    expectBounds(e->worldBounds(), {10, 20, 200, 100});

    e->setScale({1, 1});
    e->setRotation(Pi / 2);
    e->setPosition({-200, 0});
    root.draw(2);
    expectCorners(*e, {{-200, 0}, {-200, 100}, {-250, 100}, {-250, 0}});
    expectBounds(e->worldBounds(), {-250, 0, 50, 100});
}

TEST_F(SpriteElementTest, LocalBoundsAreTheFrameTruncated) {
    ph::Pointer<wf::SpriteElement> e = frame(99.7f, 10.2f);
    root.draw(1);
    EXPECT_EQ(e->localBounds().width, 99.0f);
    EXPECT_EQ(e->localBounds().height, 10.0f);
}

TEST_F(SpriteElementTest, QuadColourIsFadedByTheWorldOpacity) {
    struct Case {
        const char* name;
        float opacity;
        uint32_t spriteColour;
        bool ownColour;
        bool drawn;
        uint32_t colour;
    };
    const Case cases[] = {
        {"HalfOpacityHalvesAlpha", 0.5f, 0x80FF0000u, false, true, 0x40FF0000u},
        {"OwnColourReplacesTheSprites", 0.5f, 0x80FF0000u, true, true, 0x7F00FF00u},
        {"BelowTheCutOff", 0.005f, 0xFFFFFFFFu, false, false, 0},
        {"NaNOpacity", std::nanf(""), 0xFFFFFFFFu, false, false, 0},
        {"Opaque", 1.0f, 0xFF123456u, false, true, 0xFF123456u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ph::Pointer<wf::SpriteElement> e = frame(100, 50);
        e->animation()->SetColor(c.spriteColour);
        e->setOpacity(c.opacity);
        if (c.ownColour) {
            e->setColour(0xFF00FF00u);
        }
        e->setPosition({10, 20});
        engine.quads.clear();
        engine.calls.clear();
        e->draw(1);
        ASSERT_EQ(engine.quads.size(), c.drawn ? 1u : 0u);
        if (!c.drawn) {
            continue;
        }
        EXPECT_EQ(engine.takeCalls().front().rfind("Gfx_DrawQuadLayered", 0), 0u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(engine.quads[0].v[i].colour, c.colour);
            EXPECT_EQ(engine.quads[0].v[i].x, e->corners()[i].x);
            EXPECT_EQ(engine.quads[0].v[i].y, e->corners()[i].y);
            EXPECT_EQ(engine.quads[0].v[i].tu, e->animation()->Quad().v[i].tu);
        }
        root.removeChild(e.get());
    }
}

TEST_F(SpriteElementTest, HitTestUsesBoundsThenShapeThenPixels) {
    ph::Pointer<MaskTexture> texture = ph::adopt(new MaskTexture(128, 128));
    ph::Pointer<wf::SpriteElement> e = frame(100, 100, texture.get());
    e->setPivot({0, 0});
    e->setRotation(Pi / 4); // a diamond with its top corner at the origin
    root.draw(1);
    struct Case {
        const char* name;
        ph::Vector<float> point;
        bool shape;     // passes bounds and the quad shape
        bool hitOpaque; // answer with opaque pixels
    };
    const Case cases[] = {
        {"Centre", {0, 70.7f}, true, true},
        {"InBoundsOutsideTheDiamond", {60, 10}, false, false},
        {"OutsideTheBounds", {200, 70}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        texture->opaque = true;
        e->setSpriteFlags(0);
        EXPECT_EQ(e->hitTest(c.point), c.hitOpaque);
        texture->opaque = false;
        EXPECT_FALSE(e->hitTest(c.point)) << "transparent pixel, no shape flag";
        e->setSpriteFlags(wf::SpriteElement::HitByShape);
        texture->asked.clear();
        EXPECT_EQ(e->hitTest(c.point), c.shape) << "transparent pixel, hit by shape";
        EXPECT_TRUE(texture->asked.empty());
    }
}

TEST_F(SpriteElementTest, RightAndBottomEdgesAreInside) {
    ph::Pointer<wf::SpriteElement> e = frame(100, 50);
    e->setPivot({0, 0});
    root.draw(1);
    EXPECT_TRUE(e->hitTest({100, 50}));
    EXPECT_FALSE(e->hitTest({100.01f, 50}));
}

TEST_F(SpriteElementTest, ZeroScaleIsNeverHit) {
    ph::Pointer<wf::SpriteElement> e = frame(100, 50);
    e->setPivot({0, 0});
    e->setScale({0, 1});
    root.draw(1);
    EXPECT_FALSE(e->hitTest({0, 0}));
}

TEST_F(SpriteElementTest, WithoutAnAnimationNothingIsDrawn) {
    ph::Pointer<wf::SpriteElement> e = ph::adopt(new wf::SpriteElement());
    root.addChild(e.get());
    root.draw(1);
    EXPECT_TRUE(engine.quads.empty());
    EXPECT_TRUE(e->hitTest({0, 0})) << "zero bounds: only the point (0, 0)";
    EXPECT_FALSE(e->hitTest({0.5f, 0}));
}

} // namespace

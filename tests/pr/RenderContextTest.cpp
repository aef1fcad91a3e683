#include "pr/RenderContext.h"
#include "pr/Renderer.h"
#include "tests/support/FakeRenderer.h"
#include "tests/support/RecordingEngine.h"

#include <gtest/gtest.h>

namespace {

class RenderContextTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::RecordingEngine::makeCurrent(&engine); }
    void TearDown() override { testsupport::RecordingEngine::makeCurrent(nullptr); }

    testsupport::RecordingEngine engine;
};

TEST_F(RenderContextTest, FrameCounterRunsFrom1To1000ThenWrapsTo1) {
    pr::RenderContext context;
    EXPECT_EQ(context.FrameCounter(), 0);
    std::vector<int> seen;
    for (int frame = 1; frame <= 1002; ++frame) {
        context.BeginFrame();
        context.EndFrame();
        if (frame <= 2 || frame >= 999) {
            seen.push_back(context.FrameCounter());
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 999, 1000, 1, 2}));
}

TEST_F(RenderContextTest, OpenedFrameClearsToOpaqueBlackAndEndsThroughItsEngineReference) {
    pr::RenderContext context;
    ASSERT_TRUE(context.BeginFrame());
    EXPECT_EQ(context.FrameEngine(), &engine);
    EXPECT_EQ(engine.acquires, 1);
    context.EndFrame();
    EXPECT_EQ(context.FrameEngine(), nullptr);
    EXPECT_EQ(engine.takeCalls(),
              (std::vector<std::string>{"Gfx_BeginScene(0x0)", "Gfx_Clear(0xff000000)",
                                        "Gfx_EndScene()", "System_Release()"}));
}

TEST_F(RenderContextTest, FailedSceneNeitherClearsNorEndsButGivesTheReferenceBack) {
    engine.sceneResult = false;
    pr::RenderContext context;
    context.SetClearColour(0xFF102030);
    EXPECT_FALSE(context.BeginFrame());
    EXPECT_EQ(engine.takeCalls(), (std::vector<std::string>{"Gfx_BeginScene(0x0)"}));
    context.EndFrame();
    EXPECT_EQ(engine.takeCalls(), (std::vector<std::string>{"System_Release()"}));
}

TEST_F(RenderContextTest, FrameLeftOpenIsGivenBackOnceAtDestruction) {
    {
        pr::RenderContext context;
        context.BeginFrame();
        context.BeginFrame(); // the first frame's reference must not leak
        EXPECT_EQ(engine.releases, 1);
    }
    EXPECT_EQ(engine.releases, engine.acquires);
}

TEST_F(RenderContextTest, ScaleStartsAtOneAndKeepsWhatIsSet) {
    pr::RenderContext context;
    EXPECT_EQ(context.ScaleX(), 1.0f);
    EXPECT_EQ(context.ScaleY(), 1.0f);
    context.SetScale(0.5f, 2.0f);
    EXPECT_EQ(context.ScaleX(), 0.5f);
    EXPECT_EQ(context.ScaleY(), 2.0f);
}

TEST(CurrentRenderer, DestroyingTheRendererLeavesNoCurrentRenderer) {
    testsupport::FakeRenderer* renderer = new testsupport::FakeRenderer();
    EXPECT_EQ(pr::currentRenderer(), renderer);
    renderer->release();
    EXPECT_EQ(pr::currentRenderer(), nullptr);
}

TEST(CurrentRenderer, DestroyingAnotherRendererKeepsTheCurrentOne) {
    testsupport::FakeRenderer* first = new testsupport::FakeRenderer();
    testsupport::FakeRenderer* second = new testsupport::FakeRenderer();
    pr::setCurrentRenderer(first);
    second->release();
    EXPECT_EQ(pr::currentRenderer(), first);
    first->release();
    EXPECT_EQ(pr::currentRenderer(), nullptr);
}

} // namespace

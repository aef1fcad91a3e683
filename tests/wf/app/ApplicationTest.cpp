// wf::Application natively, over the looping recording engine and the
// scripted shell: engine references, the frame's drawing and pass numbers,
// the mode check's scale, the window-fit rules and the settings it writes.
#include "wf/app/Application.h"
#include "engine/MessageTable.h"
#include "ph/Log.h"
#include "pr/RenderContext.h"
#include "tests/support/LoopingEngine.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::LoopingEngine;
using testsupport::shellScript;

// A child that remembers the pass numbers it was drawn with.
class PassProbe : public wf::Object {
public:
    void draw(int32_t pass) override { passes.push_back(pass); }
    std::vector<int32_t> passes;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        shellScript() = {};
        testsupport::RecordingEngine::makeCurrent(&engine);
        engine.texts[AppDirectory] = folder.path();
        ph::logFileName = "test.log"; // lands in the scratch folder
    }
    void TearDown() override {
        if (app != nullptr) {
            app->release();
        }
        testsupport::RecordingEngine::makeCurrent(nullptr);
    }

    wf::Application* makeInitialized() {
        app = new wf::Application();
        EXPECT_TRUE(app->initialize());
        return app;
    }

    void destroy() {
        app->release();
        app = nullptr;
    }

    bool called(const std::string& call) {
        return std::count(engine.calls.begin(), engine.calls.end(), call) != 0;
    }

    LoopingEngine engine;
    testsupport::TempDir folder;
    wf::Application* app = nullptr;
};

TEST_F(ApplicationTest, EveryEngineReferenceIsGivenBackAtDestruction) {
    makeInitialized();
    engine.frameLimit = 5;
    app->run();
    destroy();
    EXPECT_GT(engine.acquires, 0);
    EXPECT_EQ(engine.acquires, engine.releases);
}

TEST_F(ApplicationTest, FramesWhoseSceneCannotOpenStillGiveTheEngineBack) {
    makeInitialized();
    engine.sceneResult = false; // a lost device
    engine.frameLimit = 3;
    app->run();
    EXPECT_FALSE(called("Gfx_EndScene()"));
    EXPECT_EQ(nullptr, pr::currentRenderContext()->FrameEngine())
        << "the failed frame kept its engine reference";
    destroy();
    EXPECT_EQ(engine.acquires, engine.releases) << "the engine would never shut down";
}

TEST_F(ApplicationTest, PassNumbersRunToAThousandAndWrap) {
    makeInitialized();
    PassProbe* probe = new PassProbe();
    app->addChild(probe);
    engine.frameLimit = 1002;
    app->run();
    ASSERT_EQ(1002u, probe->passes.size());
    EXPECT_EQ(1, probe->passes[0]);
    EXPECT_EQ(1000, probe->passes[999]);
    EXPECT_EQ(1, probe->passes[1000]);
    EXPECT_EQ(2, probe->passes[1001]);
    probe->release();
}

TEST_F(ApplicationTest, ObtainedModeScalesTheDrawing) {
    shellScript().obtainedMode = {1024, 768};
    makeInitialized();
    EXPECT_EQ(1024, app->getRequestedSize().width);
    EXPECT_EQ(768, app->getRequestedSize().height);
    EXPECT_FLOAT_EQ(1.28f, app->getResolutionScale().x);
    EXPECT_FLOAT_EQ(1.28f, pr::currentRenderContext()->ScaleY());
    EXPECT_EQ(800, app->getLayoutSize().width);
    engine.takeCalls();
    engine.frameLimit = 1;
    app->run();
    EXPECT_TRUE(called("Gfx_SetViewTransform(0, 0, 0, 0, 0, 1.28, 1.28)"));
    EXPECT_TRUE(called("Gfx_SetViewTransform(0, 0, 0, 0, 0, 0, 0)"));
}

TEST_F(ApplicationTest, SameModeDrawsUnscaled) {
    makeInitialized();
    EXPECT_FALSE(app->isResolutionScaled());
    engine.takeCalls();
    engine.frameLimit = 1;
    app->run();
    for (const std::string& call : engine.calls) {
        EXPECT_EQ(std::string::npos, call.find("Gfx_SetViewTransform")) << call;
    }
}

TEST_F(ApplicationTest, CursorModeOneHidesTheSystemCursor) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        app = new wf::Application();
        app->setCursorMode(mode);
        ASSERT_TRUE(app->initialize());
        EXPECT_EQ(mode == 1, engine.flags[HideCursor]);
        destroy();
    }
}

TEST_F(ApplicationTest, InitializeFailsWhenTheShellOrRendererFails) {
    for (bool shellFails : {true, false}) {
        SCOPED_TRACE(shellFails ? "shell" : "renderer");
        shellScript().initializeResult = !shellFails;
        shellScript().createRendererResult = shellFails;
        app = new wf::Application();
        EXPECT_FALSE(app->initialize());
        EXPECT_EQ(0u, app->entryCount()) << "the console is attached only on success";
        destroy();
    }
}

TEST_F(ApplicationTest, InitializeSetsTheEngineUpForTheApplication) {
    makeInitialized();
    EXPECT_EQ(folder.path() + "app.ini", engine.texts[IniFile]);
    EXPECT_EQ(-1, engine.numbers[FrameRate]);
    EXPECT_FALSE(engine.flags[SoundEnabled]);
    EXPECT_FALSE(engine.flags[Windowed]); // no settings file: full screen
    EXPECT_EQ(1u, app->entryCount());     // the console
    EXPECT_EQ(folder.path() + "test.log", ph::logFileName);
    for (EngineCallbackState callback :
         {RenderCallback, FocusLostCallback, FocusGainedCallback, CloseRequestCallback,
          ModeSwitchedCallback, ModeSwitchCallback}) {
        EXPECT_NE(nullptr, engine.callbacks[callback]) << callback;
    }
}

// The desktop the window must fit, and what happens when focus returns.
struct FitCase {
    const char* name;
    bool windowed;
    wf::ScreenSize desktop;
    bool forced; // switched to full screen with the warning
};

class WindowFitTest : public ApplicationTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(WindowFitTest, FocusGainedChecksTheWindowFits) {
    const FitCase& c = GetParam();
    makeInitialized();
    engine.flags[Windowed] = c.windowed;
    shellScript().registryDesktop = c.desktop;
    engine.takeCalls();
    EXPECT_FALSE(engine.callbacks[FocusGainedCallback]());
    EXPECT_EQ(c.desktop.width, app->getDesktopSize().width);
    EXPECT_TRUE(app->flags() & wf::Application::HasFocus);
    if (c.forced) {
        ASSERT_EQ(1u, shellScript().warnings.size());
        EXPECT_EQ("Warning!", shellScript().warnings[0].first);
        EXPECT_EQ(lookupMessage("FORCING_FULLSCREEN"), shellScript().warnings[0].second);
        EXPECT_FALSE(engine.flags[Windowed]);
        EXPECT_TRUE(called("Settings_WriteInt(SYSTEM, Windowed, 0)"));
    } else {
        EXPECT_TRUE(shellScript().warnings.empty());
        EXPECT_EQ(c.windowed, engine.flags[Windowed]);
    }
    EXPECT_FALSE(app->flags() & wf::Application::ForcingFullScreen);
}

const FitCase fitCases[] = {
    {"WindowFitsALargeDesktop", true, {1920, 1080}, false},
    {"WindowAsLargeAsTheDesktopIsForced", true, {800, 600}, true},
    {"FullScreenIsLeftAlone", false, {800, 600}, false},
    {"UnknownDesktopNeverForces", true, {0, 0}, false},
};

INSTANTIATE_TEST_SUITE_P(Desktops, WindowFitTest, ::testing::ValuesIn(fitCases),
                         [](const ::testing::TestParamInfo<FitCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ApplicationTest, WindowedSwitchIsRefusedWhileTheWindowCannotFit) {
    shellScript().primaryScreen = {800, 600};
    shellScript().registryDesktop = {800, 600};
    makeInitialized();
    engine.callbacks[FocusGainedCallback](); // full screen: nothing to force
    ASSERT_TRUE(shellScript().warnings.empty());
    EXPECT_FALSE(engine.callbacks[ModeSwitchCallback]());
    ASSERT_EQ(1u, shellScript().warnings.size());
    EXPECT_EQ("Warning!", shellScript().warnings[0].first);
    EXPECT_EQ("The game cannot be switched to windowed mode\nbecause your screen resolution is "
              "not supported.",
              shellScript().warnings[0].second);

    shellScript().registryDesktop = {1920, 1080};
    engine.callbacks[FocusGainedCallback]();
    EXPECT_TRUE(engine.callbacks[ModeSwitchCallback]());
    EXPECT_EQ(1u, shellScript().warnings.size());
}

TEST_F(ApplicationTest, ModeSwitchesAreWrittenToTheSettings) {
    makeInitialized();
    engine.takeCalls();
    engine.flags[Windowed] = true;
    engine.callbacks[ModeSwitchedCallback]();
    engine.flags[Windowed] = false;
    engine.callbacks[ModeSwitchedCallback]();
    EXPECT_TRUE(called("Settings_WriteInt(SYSTEM, Windowed, 1)"));
    EXPECT_TRUE(called("Settings_WriteInt(SYSTEM, Windowed, 0)"));
}

TEST_F(ApplicationTest, SwitchToFullScreenActsOnlyWhenWindowed) {
    makeInitialized();
    engine.takeCalls();
    app->switchToFullScreen();
    EXPECT_FALSE(called("Settings_WriteInt(SYSTEM, Windowed, 0)"));
    engine.flags[Windowed] = true;
    app->switchToFullScreen();
    EXPECT_FALSE(engine.flags[Windowed]);
    EXPECT_TRUE(called("Settings_WriteInt(SYSTEM, Windowed, 0)"));
}

TEST_F(ApplicationTest, FocusLostClearsTheFocusAndRepaints) {
    makeInitialized();
    engine.callbacks[FocusLostCallback]();
    EXPECT_FALSE(app->flags() & wf::Application::HasFocus);
    EXPECT_EQ(1, shellScript().invalidations);
}

TEST_F(ApplicationTest, CallbacksDoNothingWithoutAnApplication) {
    makeInitialized();
    const EngineCallback render = engine.callbacks[RenderCallback];
    const EngineCallback switching = engine.callbacks[ModeSwitchCallback];
    destroy();
    engine.takeCalls();
    EXPECT_FALSE(render());
    EXPECT_FALSE(switching());
    EXPECT_TRUE(engine.calls.empty());
}

} // namespace

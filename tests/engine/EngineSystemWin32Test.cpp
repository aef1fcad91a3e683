// The real engine under Wine: instance, state table, start-up and shut-down
// log lines, failures, and the frame loop driven by a scripted clock.
#include "tests/support/EngineFixtureWin32.h"

#include "tests/support/Files.h"

#include <algorithm>
#include <string>
#include <vector>

namespace enginetest {
namespace {

using EngineStateWin32 = EngineWin32Test;
using EngineSystemWin32 = EngineWin32Test;
using EngineLoopWin32 = EngineWin32Test;

bool returnsTrue() {
    return true;
}

TEST_F(EngineStateWin32, DefaultsBeforeStartUp) {
    struct FlagCase {
        EngineFlagState state;
        bool value;
    };
    const FlagCase flags[] = {
        {Windowed, false},     {DepthBuffer, false}, {LinearFiltering, true}, {SoundEnabled, true},
        {RunUnfocused, false}, {HideCursor, true},   {ClampTextures, false},  {FramePacing, false}};
    for (const FlagCase& c : flags) {
        EXPECT_EQ(c.value, engine->System_GetFlag(c.state)) << c.state;
    }
    struct NumberCase {
        EngineNumberState state;
        int value;
    };
    const NumberCase numbers[] = {{ScreenWidth, 800},  {ScreenHeight, 600}, {ScreenDepth, 32},
                                  {SampleRate, 44100}, {EffectVolume, 100}, {MusicVolume, 100},
                                  {StreamVolume, 100}, {FrameRate, 0},      {PowerStatus, -2}};
    for (const NumberCase& c : numbers) {
        EXPECT_EQ(c.value, engine->System_GetNumber(c.state)) << c.state;
    }
    EXPECT_STREQ("Engine", engine->System_GetText(WindowTitle));
    EXPECT_EQ(nullptr, engine->System_GetText(IniFile));
    EXPECT_EQ(nullptr, engine->System_GetText(IconResource));
    EXPECT_EQ(nullptr, engine->System_GetWindow(WindowHandle));
    EXPECT_EQ(nullptr, engine->System_GetCallback(FrameCallback));
    EXPECT_FLOAT_EQ(-1.0f, engine->restoreDeadline);
}

TEST_F(EngineStateWin32, AcquireSharesOneInstanceUntilTheLastRelease) {
    Engine* second = AcquireEngine();
    EXPECT_EQ(static_cast<Engine*>(engine), second);
    second->System_Release();
    EXPECT_EQ(engine, EngineImpl::instance());
}

TEST_F(EngineStateWin32, WriteOnlyAndReadOnlyStates) {
    engine->System_SetFlag(FramePacing, true);
    EXPECT_FALSE(engine->System_GetFlag(FramePacing));
    EXPECT_TRUE(engine->framePacing);
    engine->extraDelay = 5;
    engine->System_SetFlag(FramePacing, false);
    EXPECT_EQ(0u, engine->extraDelay);

    const EngineCallbackState writeOnly[] = {DeviceRestoredCallback, ModeSwitchedCallback,
                                             ModeSwitchCallback};
    for (EngineCallbackState state : writeOnly) {
        engine->System_SetCallback(state, returnsTrue);
        EXPECT_EQ(nullptr, engine->System_GetCallback(state)) << state;
    }
    engine->System_SetCallback(CloseRequestCallback, returnsTrue);
    EXPECT_EQ(&returnsTrue, engine->System_GetCallback(CloseRequestCallback));

    engine->System_SetNumber(PowerStatus, 50);
    EXPECT_EQ(-2, engine->System_GetNumber(PowerStatus));
    engine->System_SetParentWindow(WindowHandle, reinterpret_cast<EngineWindow>(1));
    EXPECT_EQ(nullptr, engine->System_GetWindow(WindowHandle));
    // Unknown identifiers are ignored and read as empty.
    engine->System_SetNumber(static_cast<EngineNumberState>(99), 5);
    EXPECT_EQ(0, engine->System_GetNumber(static_cast<EngineNumberState>(99)));
    EXPECT_FALSE(engine->System_GetFlag(static_cast<EngineFlagState>(7)));
}

TEST_F(EngineStateWin32, FrameRateSetsTheFixedInterval) {
    struct Case {
        int rate;
        uint32_t interval;
    };
    const Case cases[] = {{60, 16}, {0, 0}, {-1, 0}, {30, 33}};
    for (const Case& c : cases) {
        engine->System_SetNumber(FrameRate, c.rate);
        EXPECT_EQ(c.rate, engine->System_GetNumber(FrameRate));
        EXPECT_EQ(c.interval, engine->fixedInterval) << c.rate;
    }
}

TEST_F(EngineStateWin32, TextsAreResolvedCopiedAndCut) {
    engine->System_SetText(IniFile, "sub/app.ini");
    EXPECT_EQ(std::string(engine->appDirectory) + "sub\\app.ini", engine->System_GetText(IniFile));
    engine->System_SetText(IniFile, nullptr);
    EXPECT_EQ(nullptr, engine->System_GetText(IniFile));

    const std::string longTitle(400, 't');
    engine->System_SetText(WindowTitle, longTitle.c_str());
    EXPECT_EQ(std::string(255, 't'), engine->System_GetText(WindowTitle));

    // A resolved path beyond the path buffer is refused rather than cut.
    const std::string longName(300, 'n');
    engine->System_SetText(IniFile, longName.c_str());
    EXPECT_EQ(nullptr, engine->System_GetText(IniFile));

    // A log file that cannot be created is dropped.
    engine->System_SetText(LogFile, "no such folder/engine.log");
    EXPECT_EQ(nullptr, engine->System_GetText(LogFile));
}

TEST_F(EngineStateWin32, DeviceSettingsAreStoredOnlyBeforeTheDeviceExists) {
    engine->System_SetFlag(DepthBuffer, true);
    ASSERT_TRUE(initiate());
    struct Case {
        EngineNumberState state;
        int attempted;
    };
    const Case cases[] = {{ScreenWidth, 640}, {ScreenHeight, 480}, {ScreenDepth, 16}};
    for (const Case& c : cases) {
        const int before = engine->System_GetNumber(c.state);
        engine->System_SetNumber(c.state, c.attempted);
        EXPECT_EQ(before, engine->System_GetNumber(c.state)) << c.state;
    }
    engine->System_SetFlag(DepthBuffer, false);
    EXPECT_TRUE(engine->System_GetFlag(DepthBuffer));
    // Sound is not loaded, so the sample rate is still free to change.
    engine->System_SetNumber(SampleRate, 22050);
    EXPECT_EQ(22050, engine->System_GetNumber(SampleRate));
    // The parent window can no longer change once the window exists.
    engine->System_SetParentWindow(ParentWindow,
                                   reinterpret_cast<EngineWindow>(GetDesktopWindow()));
    EXPECT_EQ(nullptr, engine->System_GetWindow(ParentWindow));
    EXPECT_NE(nullptr, engine->System_GetWindow(WindowHandle));
}

int deviceRestores = 0;
bool countRestore() {
    ++deviceRestores;
    return true;
}

TEST_F(EngineStateWin32, VerticalSyncSwitchesTheSwapEffects) {
    ASSERT_TRUE(initiate());
    engine->System_SetCallback(DeviceRestoredCallback, countRestore);
    deviceRestores = 0;
    engine->System_SetNumber(FrameRate, -1);
    EXPECT_EQ(1, deviceRestores);
    EXPECT_EQ(D3DSWAPEFFECT_COPY_VSYNC, engine->windowedPresentation.SwapEffect);
    EXPECT_EQ(D3DSWAPEFFECT_COPY_VSYNC, engine->fullScreenPresentation.SwapEffect);
    EXPECT_EQ(static_cast<UINT>(D3DPRESENT_INTERVAL_ONE),
              engine->fullScreenPresentation.FullScreen_PresentationInterval);
    engine->System_SetNumber(FrameRate, 60);
    EXPECT_EQ(D3DSWAPEFFECT_COPY, engine->windowedPresentation.SwapEffect);
    EXPECT_EQ(D3DSWAPEFFECT_FLIP, engine->fullScreenPresentation.SwapEffect);
    EXPECT_EQ(16u, engine->fixedInterval);
    EXPECT_EQ(2, deviceRestores);
    engine->System_SetNumber(FrameRate, 30); // same sign: no reset
    EXPECT_EQ(2, deviceRestores);
    // While a scene is drawn the setting is ignored entirely.
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->System_SetNumber(FrameRate, 25);
    engine->Gfx_EndScene();
    EXPECT_EQ(30, engine->System_GetNumber(FrameRate));
}

TEST_F(EngineSystemWin32, StartUpAndShutDownWriteTheirLinesInOrder) {
    engine->System_SetText(WindowTitle, "Log Test");
    ASSERT_TRUE(initiate());
    engine->System_Shutdown();
    const std::vector<std::string> lines = logLines();
    // Fixed lines must come in this order; the lines between them vary by machine.
    const std::vector<std::string> expectedPrefixes = {
        "Engine Started..",
        "",
        "Engine version: 1.80",
        "Date: ",
        "",
        "Application: Log Test",
        "OS: Windows ",
        "Memory: ",
        "",
        "D3D Driver: ",
        "Description: ",
        "Version: ",
        "MaxSimultaneousTextures: ",
        "Mode: ",
        "",
        "Init done.",
        "",
        "",
        "Finishing..",
        "The End.",
    };
    ASSERT_EQ(expectedPrefixes.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(0u, lines[i].rfind(expectedPrefixes[i], 0)) << "line " << i << ": " << lines[i];
        if (expectedPrefixes[i].empty()) {
            EXPECT_EQ("", lines[i]) << "line " << i;
        }
    }
    EXPECT_EQ(nullptr, engine->System_GetWindow(WindowHandle));
}

TEST_F(EngineSystemWin32, StartFailuresStoreAndLogTheirTexts) {
    EXPECT_FALSE(engine->System_Start());
    EXPECT_STREQ("System_Start: System_Initiate wasn't called", engine->System_GetLastError());
    ASSERT_TRUE(initiate());
    EXPECT_FALSE(engine->System_Start());
    EXPECT_STREQ("System_Start: No frame function defined", engine->System_GetLastError());
    const std::vector<std::string> lines = logLines();
    EXPECT_EQ("System_Start: System_Initiate wasn't called", lines.at(0));
    EXPECT_EQ("System_Start: No frame function defined", lines.back());
}

TEST_F(EngineSystemWin32, TakenWindowClassFailsStartUp) {
    WNDCLASSA taken = {};
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "ENGINE__WNDCLASS";
    ASSERT_TRUE(RegisterClassA(&taken));
    engine->System_SetFlag(Windowed, true);
    EXPECT_FALSE(engine->System_Initiate());
    EXPECT_STREQ("Can't register window class", engine->System_GetLastError());
    EXPECT_EQ("Can't register window class", logLines().back());
    UnregisterClassA("ENGINE__WNDCLASS", GetModuleHandleA(nullptr));
}

TEST_F(EngineSystemWin32, WriteLogAppendsOnlyWithALogFile) {
    engine->System_WriteLog("value %d", 7);
    engine->System_SetText(LogFile, nullptr);
    engine->System_WriteLog("lost");
    EXPECT_EQ(std::vector<std::string>{"value 7"}, logLines());
}

// Frame loop ------------------------------------------------------------------

struct FrameRecord {
    float frameTime;
    float time;
    int frameRate;
};

std::vector<FrameRecord> frames;
size_t framesWanted = 0;
ScriptedClock* loopClock = nullptr;
uint32_t frameCost = 0; // milliseconds each frame callback lets pass

bool recordFrame() {
    Engine* engine = AcquireEngine();
    frames.push_back(
        {engine->Clock_GetFrameTime(), engine->Clock_GetTime(), engine->Clock_GetFrameRate()});
    engine->System_Release();
    loopClock->time += frameCost;
    return frames.size() >= framesWanted;
}

class EngineLoopTest : public EngineWin32Test {
protected:
    void runFrames(size_t count) {
        frames.clear();
        framesWanted = count;
        loopClock = &clock;
        engine->System_SetCallback(FrameCallback, recordFrame);
        engine->System_SetFlag(RunUnfocused, true);
        ASSERT_TRUE(engine->System_Start());
        ASSERT_GE(frames.size(), std::min<size_t>(count, 1));
    }
};

using EngineLoopTimingWin32 = EngineLoopTest;

TEST_F(EngineLoopTimingWin32, RawStepIsNeverBelowOneMillisecond) {
    ASSERT_TRUE(initiate());
    frameCost = 0;
    clock.scriptedSteps = {0, 0, 0, 1};
    clock.advancePerRead = 0;
    // The first read after start-up is already 1 ms late; the next frames wait
    // through the scripted zero steps.
    clock.time += 1;
    runFrames(2);
    ASSERT_EQ(2u, frames.size());
    EXPECT_FLOAT_EQ(0.001f, frames[0].frameTime);
    EXPECT_FLOAT_EQ(0.001f, frames[1].frameTime);
}

TEST_F(EngineLoopTimingWin32, LongStepsAreClampedToANominalFrame) {
    ASSERT_TRUE(initiate());
    clock.time += 150;
    frameCost = 500;
    runFrames(3);
    ASSERT_EQ(3u, frames.size());
    EXPECT_FLOAT_EQ(0.15f, frames[0].frameTime);
    EXPECT_FLOAT_EQ(0.01f, frames[1].frameTime);
    EXPECT_FLOAT_EQ(0.17f, frames[2].time);

    engine->System_SetNumber(FrameRate, 60);
    runFrames(2);
    ASSERT_EQ(2u, frames.size());
    EXPECT_FLOAT_EQ(0.016f, frames[0].frameTime);
    EXPECT_FLOAT_EQ(0.016f, frames[1].frameTime);
}

TEST_F(EngineLoopTimingWin32, FixedIntervalFramesWaitForTheFullInterval) {
    ASSERT_TRUE(initiate());
    engine->System_SetNumber(FrameRate, 60);
    frameCost = 0;
    clock.advancePerRead = 1;
    runFrames(5);
    for (const FrameRecord& frame : frames) {
        EXPECT_FLOAT_EQ(0.016f, frame.frameTime);
    }
    // It sleeps only while more than 3 ms are left, 1 ms at a time.
    ASSERT_FALSE(clock.sleeps.empty());
    for (uint32_t sleep : clock.sleeps) {
        EXPECT_EQ(1u, sleep);
    }
}

TEST_F(EngineLoopTimingWin32, FrameRateIsPublishedOncePerSecondWithoutTheTickFrame) {
    ASSERT_TRUE(initiate());
    frameCost = 100;
    clock.time += 100;
    runFrames(23);
    ASSERT_EQ(23u, frames.size());
    // Frames at 100 ms steps: the 11th frame is the first more than 1000 ms on.
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(0, frames[i].frameRate) << i;
    }
    EXPECT_EQ(10, frames[10].frameRate);
    // The publishing frame is not counted: again 10, not 11, a second later.
    EXPECT_EQ(10, frames[21].frameRate);
    EXPECT_EQ(10, frames[22].frameRate);
}

TEST_F(EngineLoopTimingWin32, FramePacingSettlesAtThirteenMilliseconds) {
    ASSERT_TRUE(initiate());
    engine->System_SetNumber(FrameRate, 60);
    engine->System_SetFlag(FramePacing, true);
    frameCost = 30;
    clock.time += 30;
    runFrames(1500);
    EXPECT_EQ(13u, engine->extraDelay);
    ASSERT_NE(nullptr, engine->estimator);
}

TEST_F(EngineLoopTimingWin32, ChildWindowDrawsOneFramePerCallAndLeavesMessages) {
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = DefWindowProcA;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.lpszClassName = "EngineTestParent";
    RegisterClassA(&parentClass);
    HWND parent = CreateWindowA("EngineTestParent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 400, 300, nullptr, nullptr, parentClass.hInstance, nullptr);
    ASSERT_NE(nullptr, parent);
    engine->System_SetParentWindow(ParentWindow, reinterpret_cast<EngineWindow>(parent));
    engine->System_SetFlag(Windowed, false); // forced back to true by the parent
    engine->System_SetFlag(SoundEnabled, false);
    engine->System_SetNumber(ScreenWidth, 320);
    engine->System_SetNumber(ScreenHeight, 240);
    ASSERT_TRUE(engine->System_Initiate()) << engine->System_GetLastError();
    EXPECT_TRUE(engine->System_GetFlag(Windowed));
    EXPECT_EQ(WS_CHILD, GetWindowLongPtrA(engine->window, GWL_STYLE) & WS_CHILD);

    PostMessageA(parent, WM_USER + 7, 0, 0);
    clock.time += 20;
    frameCost = 20;
    runFrames(1000); // the callback never asks to stop
    EXPECT_EQ(1u, frames.size());
    runFrames(1000);
    EXPECT_EQ(1u, frames.size());
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, parent, WM_USER + 7, WM_USER + 7, PM_REMOVE));

    // A child engine follows its window's size.
    SendMessageA(engine->window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 150));
    EXPECT_EQ(200, engine->System_GetNumber(ScreenWidth));
    EXPECT_EQ(150, engine->System_GetNumber(ScreenHeight));
    EXPECT_EQ(200u, engine->windowedPresentation.BackBufferWidth);
    EXPECT_TRUE(engine->Gfx_BeginScene(nullptr));
    engine->Gfx_EndScene();

    engine->System_Shutdown();
    DestroyWindow(parent);
    UnregisterClassA("EngineTestParent", parentClass.hInstance);
}

int modeSwitchCalls = 0;
bool refuseModeSwitch() {
    ++modeSwitchCalls;
    return false;
}

TEST_F(EngineLoopTimingWin32, DelayedRestoreRunsTheToggleOnceItsDeadlinePasses) {
    ASSERT_TRUE(initiate());
    settleWindowMessages(); // a late activation would move the deadline
    engine->System_SetCallback(ModeSwitchCallback, refuseModeSwitch);
    modeSwitchCalls = 0;
    engine->restoreFullScreenPending = true;
    engine->restoreDeadline = 0.05f;
    frameCost = 20;
    clock.time += 20;
    runFrames(5);
    EXPECT_EQ(1, modeSwitchCalls);
    EXPECT_FLOAT_EQ(-1.0f, engine->restoreDeadline);
    EXPECT_FALSE(engine->restoreFullScreenPending);
}

} // namespace
} // namespace enginetest

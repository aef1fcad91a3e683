// The screensaver's application natively, over the looping recording engine
// and the scripted shell: which input ends it, and how the movie is set up.
#include "screensaver/VideoPlayerApp.h"
#include "ph/Log.h"
#include "tests/support/LoopingEngine.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/TempDir.h"
#include "wf/scene/Console.h"
#include "wf/scene/Element.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::LoopingEngine;

EngineEvent record(int type, int key = 0, float x = 0, float y = 0, int wheel = 0) {
    EngineEvent event = {};
    event.type = type;
    event.key = key;
    event.x = x;
    event.y = y;
    event.wheel = wheel;
    return event;
}

struct InputCase {
    const char* name;
    std::vector<EngineEvent> events;
    bool ends;
};

void PrintTo(const InputCase& c, std::ostream* out) {
    *out << c.name;
}

class VideoPlayerAppTest : public ::testing::TestWithParam<InputCase> {
protected:
    void SetUp() override {
        testsupport::shellScript() = {};
        testsupport::RecordingEngine::makeCurrent(&engine);
        engine.texts[AppDirectory] = folder.path();
        ph::logFileName = "test.log";
        screensaver::VideoPlayerApp::resetFirstMove();
        app = new screensaver::VideoPlayerApp();
        ASSERT_TRUE(app->initialize());
    }
    void TearDown() override {
        app->release();
        testsupport::RecordingEngine::makeCurrent(nullptr);
    }

    LoopingEngine engine;
    testsupport::TempDir folder;
    screensaver::VideoPlayerApp* app = nullptr;
};

// The events arrive in the first frame; a stop ends the loop at the second.
TEST_P(VideoPlayerAppTest, InputEndsTheScreensaver) {
    const InputCase& c = GetParam();
    engine.frameLimit = 10;
    engine.beforeFrame = [&](int frame) {
        if (frame == 0) {
            engine.events.assign(c.events.begin(), c.events.end());
        }
    };
    app->run();
    EXPECT_EQ(c.ends ? 2 : 10, engine.framesRun);
    EXPECT_FALSE(wf::mainConsole()->isVisible()) << "the console opened";
}

const InputCase inputCases[] = {
    {"NoInput", {}, false},
    {"KeyDown", {record(EngineEventKeyDown, 'A')}, true},
    {"KeyUp", {record(EngineEventKeyUp, 'A')}, true},
    {"BackquoteKey", {record(EngineEventKeyDown, 0xC0)}, true},
    {"LeftButtonDown", {record(EngineEventButtonDown, 1, 5, 5)}, true},
    {"LeftButtonUp", {record(EngineEventButtonUp, 1, 5, 5)}, true},
    {"RightButtonDown", {record(EngineEventButtonDown, 2, 5, 5)}, true},
    {"RightButtonUp", {record(EngineEventButtonUp, 2, 5, 5)}, true},
    {"Wheel", {record(EngineEventWheel, 0, 5, 5, -1)}, true},
    {"MiddleButtonAlone",
     {record(EngineEventButtonDown, 4, 5, 5), record(EngineEventButtonUp, 4, 5, 5)},
     false},
    {"FirstMove", {record(EngineEventMouseMove, 0, 10, 10)}, false},
    {"SecondMove",
     {record(EngineEventMouseMove, 0, 10, 10), record(EngineEventMouseMove, 0, 12, 10)},
     true},
};

INSTANTIATE_TEST_SUITE_P(Inputs, VideoPlayerAppTest, ::testing::ValuesIn(inputCases),
                         [](const ::testing::TestParamInfo<InputCase>& info) {
                             return std::string(info.param.name);
                         });

using VideoPlayerAppSetUp = VideoPlayerAppTest;

TEST_F(VideoPlayerAppSetUp, MovieIsCentredIgnoresInputAndHidesThePointer) {
    app->setRequestedSize({1023, 768});
    engine.takeCalls();
    app->playMovie("movies/missing.ogv");
    ASSERT_EQ(2u, app->entryCount()); // the console, then the movie
    wf::Element* movie = dynamic_cast<wf::Element*>(app->entryAt(1));
    ASSERT_NE(nullptr, movie);
    EXPECT_TRUE(movie->flags() & wf::Element::IgnoresInput);
    EXPECT_FLOAT_EQ(511.0f, movie->position().x);
    EXPECT_FLOAT_EQ(384.0f, movie->position().y);
    EXPECT_FLOAT_EQ(1.0f, movie->scale().x) << "a movie that did not open is not scaled";
    EXPECT_EQ(0, app->cursorMode());
    EXPECT_TRUE(engine.flags[HideCursor]);
    EXPECT_NE(engine.calls.end(),
              std::find(engine.calls.begin(), engine.calls.end(), "Input_SetCursor(0x0)"));
    EXPECT_EQ(1, testsupport::shellScript().cursorReapplied);
}

} // namespace

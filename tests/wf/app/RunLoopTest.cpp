// The run loop stepped by the looping recording engine: the order of update,
// events and drawing in a frame, when a stop takes effect, nesting.
#include "wf/app/RunLoop.h"
#include "ph/Pointer.h"
#include "tests/support/LoopingEngine.h"
#include "wf/app/RunLoopDelegate.h"
#include "wf/scene/InputEvent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::LoopingEngine;

EngineEvent keyRecord(int key) {
    EngineEvent record = {};
    record.type = EngineEventKeyDown;
    record.key = key;
    return record;
}

// Writes what it is told into the engine's call list, so that the loop's
// own steps and the engine's render callback interleave in one record.
class Recorder : public wf::RunLoopDelegate {
public:
    explicit Recorder(LoopingEngine& e) : engine(e) {}
    void handleEvent(wf::RunLoop& loop, wf::InputEvent& event) override {
        engine.calls.push_back("event " + std::to_string(event.key));
        if (event.key == stopOnKey) {
            loop.requestStop();
        }
    }
    void runLoopWillStart(wf::RunLoop&) override { engine.calls.push_back("willStart"); }
    void runLoopDidStop(wf::RunLoop&) override { engine.calls.push_back("didStop"); }
    void runLoopUpdate(wf::RunLoop& loop, float) override {
        engine.calls.push_back("update");
        if (++updates == stopOnUpdate) {
            loop.requestStop();
        }
    }

    LoopingEngine& engine;
    int stopOnKey = -1;
    int stopOnUpdate = -1;
    int updates = 0;
};

bool renderMark() {
    LoopingEngine* engine = static_cast<LoopingEngine*>(testsupport::RecordingEngine::current());
    engine->calls.push_back("render");
    return false;
}

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::RecordingEngine::makeCurrent(&engine);
        engine.callbacks[RenderCallback] = &renderMark;
        loop->setDelegate(&recorder);
    }
    void TearDown() override { testsupport::RecordingEngine::makeCurrent(nullptr); }

    // The loop's own steps and the renders, without the engine's bookkeeping.
    std::vector<std::string> steps() {
        std::vector<std::string> kept;
        for (const std::string& call : engine.takeCalls()) {
            if (call.find('(') == std::string::npos) {
                kept.push_back(call);
            }
        }
        return kept;
    }

    LoopingEngine engine;
    Recorder recorder{engine};
    ph::Pointer<wf::RunLoop> loop = ph::adopt(new wf::RunLoop());
};

TEST_F(RunLoopTest, StopDuringUpdateStillDeliversThatFramesEventsAndDrawing) {
    recorder.stopOnUpdate = 2;
    engine.beforeFrame = [&](int frame) { engine.events.push_back(keyRecord(100 + frame)); };
    loop->run();
    const std::vector<std::string> expected = {"willStart", "update",    "event 100", "render",
                                               "update",    "event 101", "render",    "didStop"};
    EXPECT_EQ(expected, steps());
    EXPECT_FALSE(loop->isRunning());
    EXPECT_EQ(nullptr, wf::RunLoop::innermost());
}

TEST_F(RunLoopTest, StopDuringAnEventLetsTheFramesOtherEventsThrough) {
    recorder.stopOnKey = 1;
    engine.beforeFrame = [&](int frame) {
        if (frame == 0) {
            engine.events = {keyRecord(1), keyRecord(2), keyRecord(3)};
        }
    };
    loop->run();
    const std::vector<std::string> expected = {"willStart", "update", "event 1", "event 2",
                                               "event 3",   "render", "didStop"};
    EXPECT_EQ(expected, steps());
}

TEST_F(RunLoopTest, QuitWithoutStopEndsTheRunWithoutDidStop) {
    engine.frameLimit = 2; // then System_Start returns as on the quit message
    loop->run();
    const std::vector<std::string> expected = {"willStart", "update", "render", "update", "render"};
    EXPECT_EQ(expected, steps());
    EXPECT_FALSE(loop->isRunning());
    EXPECT_EQ(nullptr, wf::RunLoop::innermost()) << "a finished loop stays on the stack";
}

TEST_F(RunLoopTest, LoopCanRunAgainAfterItStopped) {
    recorder.stopOnUpdate = 1;
    loop->run();
    recorder.updates = 0;
    engine.takeCalls();
    loop->run();
    const std::vector<std::string> expected = {"willStart", "update", "render", "didStop"};
    EXPECT_EQ(expected, steps());
}

// A loop run from inside a frame of another takes over the frame callback
// until it stops; the outer one then carries on.
class NestingRecorder : public Recorder {
public:
    using Recorder::Recorder;
    void runLoopUpdate(wf::RunLoop& loop, float) override {
        engine.calls.push_back(&loop == inner.get() ? "inner update" : "outer update");
        if (&loop == inner.get()) {
            inner->requestStop();
        } else if (++outerUpdates == 1) {
            inner->setDelegate(this);
            inner->run();
        } else {
            loop.requestStop();
        }
    }
    ph::Pointer<wf::RunLoop> inner = ph::adopt(new wf::RunLoop());
    int outerUpdates = 0;
};

TEST_F(RunLoopTest, NestedLoopStepsInnermostThenOuterResumes) {
    NestingRecorder nesting(engine);
    loop->setDelegate(&nesting);
    loop->run();
    const std::vector<std::string> expected = {
        "willStart", "outer update", "willStart",    "inner update", "render",
        "didStop",   "render",       "outer update", "render",       "didStop"};
    EXPECT_EQ(expected, steps());
}

} // namespace

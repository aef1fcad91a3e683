#pragma once
// The recording engine with a frame loop: System_Start calls the frame
// callback and then the render callback, as the real engine does, until the
// frame callback answers true or `frameLimit` frames have run (standing for
// the quit message). `beforeFrame` lets a test queue input for each frame.

#include <functional>

#include "tests/support/RecordingEngine.h"

namespace testsupport {

class LoopingEngine : public RecordingEngine {
public:
    int frameLimit = 100;
    int framesRun = 0;
    std::function<void(int frame)> beforeFrame;

    bool System_Start() override {
        calls.push_back("System_Start()");
        for (int frame = 0; frame < frameLimit; ++frame) {
            if (beforeFrame) {
                beforeFrame(frame);
            }
            ++framesRun;
            EngineCallback step = callbacks[FrameCallback];
            if (step == nullptr || step()) {
                return true;
            }
            if (EngineCallback render = callbacks[RenderCallback]) {
                render();
            }
        }
        return true;
    }
};

} // namespace testsupport

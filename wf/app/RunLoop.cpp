#include "wf/app/RunLoop.h"

#include <vector>

#include "engine/Engine.h"
#include "ph/Pointer.h"
#include "pr/RenderContext.h"
#include "wf/app/RunLoopDelegate.h"
#include "wf/scene/InputEvent.h"

namespace wf {

namespace {

// Running loops, innermost last. Each stays alive through the reference its
// `run` holds, so raw pointers suffice.
std::vector<RunLoop*> runLoopStack;

void popLoop(RunLoop* loop) {
    for (auto it = runLoopStack.rbegin(); it != runLoopStack.rend(); ++it) {
        if (*it == loop) {
            runLoopStack.erase(std::next(it).base());
            return;
        }
    }
}

// Events are in scene units: window positions over the render context's scale.
ph::Vector<float> outputScale() {
    const pr::RenderContext* context = pr::currentRenderContext();
    return context != nullptr ? ph::Vector<float>(context->ScaleX(), context->ScaleY())
                              : ph::Vector<float>(1.0f, 1.0f);
}

} // namespace

void RunLoop::run() {
    if (delegate != nullptr) {
        delegate->runLoopWillStart(*this);
    }
    ph::Pointer<RunLoop> keepAlive(this);
    runLoopStack.push_back(this);
    flags |= runningBit;

    Engine* engine = AcquireEngine();
    engine->System_SetCallback(FrameCallback, &runLoopFrame);
    engine->System_Start();
    engine->System_Release();
    // The quit message ends System_Start without a frame step: the loop is
    // then still on the stack and must not be stepped again.
    if (isRunning()) {
        popLoop(this);
        flags &= ~(runningBit | stopBit);
    }
}

void RunLoop::requestStop() {
    flags |= stopBit;
}

bool RunLoop::frameStep() {
    if (isStopRequested()) {
        popLoop(this);
        flags &= ~(runningBit | stopBit);
        if (delegate != nullptr) {
            delegate->runLoopDidStop(*this);
        }
        return true;
    }
    Engine* engine = AcquireEngine();
    const float elapsed = engine->Clock_GetFrameTime();
    engine->System_Release();
    if (delegate != nullptr) {
        delegate->runLoopUpdate(*this, elapsed);
    }
    deliverQueuedEvents();
    return false;
}

void RunLoop::deliverQueuedEvents() {
    Engine* engine = AcquireEngine();
    EngineEvent record;
    while (engine->Input_PopEvent(&record)) {
        if (delegate != nullptr) {
            ph::Pointer<InputEvent> event = ph::adopt(new InputEvent(record, outputScale()));
            delegate->handleEvent(*this, *event);
        }
    }
    engine->System_Release();
}

RunLoop* RunLoop::innermost() {
    return runLoopStack.empty() ? nullptr : runLoopStack.back();
}

bool runLoopFrame() {
    RunLoop* loop = RunLoop::innermost();
    return loop == nullptr ? true : loop->frameStep();
}

} // namespace wf

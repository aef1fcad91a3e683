#pragma once
// The frame loop of the application: runs the engine's `System_Start` and,
// at each engine frame, updates its delegate and hands it the queued input.
// Loops nest; the engine's frame callback always steps the innermost one.

#include <cstdint>

#include "ph/RefCounter.h"

namespace wf {

class RunLoopDelegate;

class RunLoop : public ph::RefCounter {
public:
    // Returns when the loop stopped (at the frame after `requestStop`) or the
    // window's quit message ended the engine loop.
    void run();
    // Takes effect at the start of the next frame step: the current frame's
    // events and drawing still happen.
    void requestStop();

    bool isRunning() const { return (flags & runningBit) != 0; }
    bool isStopRequested() const { return (flags & stopBit) != 0; }

    // Not owned; must outlive the loop's runs.
    void setDelegate(RunLoopDelegate* value) { delegate = value; }
    RunLoopDelegate* getDelegate() const { return delegate; }

    // One engine frame of this loop; true ends `System_Start`.
    bool frameStep();

    // The innermost running loop, or null.
    static RunLoop* innermost();

private:
    static const uint32_t runningBit = 1;
    static const uint32_t stopBit = 2;

    void deliverQueuedEvents();

    uint32_t flags = 0;
    RunLoopDelegate* delegate = nullptr;
};

// The engine's frame callback while any loop runs: steps the innermost loop.
bool runLoopFrame();

} // namespace wf

#pragma once
// What a run loop tells the object that drives it: start, stop, one update per
// frame and each input event. `wf::Application` is the delegate of its loop;
// every operation does nothing unless overridden.

namespace wf {

class RunLoop;
class InputEvent;

class RunLoopDelegate {
public:
    virtual ~RunLoopDelegate() = default;

    virtual void handleEvent(RunLoop& loop, InputEvent& event);
    virtual void runLoopWillStart(RunLoop& loop);
    virtual void runLoopDidStop(RunLoop& loop);
    virtual void runLoopUpdate(RunLoop& loop, float elapsedSeconds);
};

} // namespace wf

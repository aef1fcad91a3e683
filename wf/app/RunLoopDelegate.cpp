#include "wf/app/RunLoopDelegate.h"

namespace wf {

void RunLoopDelegate::handleEvent(RunLoop&, InputEvent&) {}
void RunLoopDelegate::runLoopWillStart(RunLoop&) {}
void RunLoopDelegate::runLoopDidStop(RunLoop&) {}
void RunLoopDelegate::runLoopUpdate(RunLoop&, float) {}

} // namespace wf

#include "wf/app/KeyboardHookRules.h"

namespace wf {

bool hookTakesWinTab(const KeyboardHookFacts& facts) {
    if (!facts.engineActive || !facts.actionCode || !facts.keyPress ||
        facts.virtualKey != virtualKeyTab) {
        return false;
    }
    if (!facts.windowsKeyHeld) {
        return false;
    }
    if (facts.osMajorVersion < firstVersionWithTaskSwitcher) {
        return false;
    }
    return !facts.windowed;
}

} // namespace wf

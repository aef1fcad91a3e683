#pragma once
// When the shell's low-level keyboard hook takes Win+Tab for itself: only in
// full screen on Windows 6.0 and later, where the system's task switcher
// would otherwise show over a full-screen device. Portable so that the table
// is tested natively; the hook in ApplicationWin32 gathers the facts.

namespace wf {

struct KeyboardHookFacts {
    bool engineActive;
    bool actionCode; // the hook code is "action"
    bool keyPress;   // WM_KEYDOWN
    int virtualKey;
    bool windowsKeyHeld; // either Windows key
    unsigned osMajorVersion;
    bool windowed;
};

const int virtualKeyTab = 9;
const unsigned firstVersionWithTaskSwitcher = 6;

// True: toggle to windowed, re-send Win+Tab and swallow the event.
// False: pass the event on untouched.
bool hookTakesWinTab(const KeyboardHookFacts& facts);

} // namespace wf

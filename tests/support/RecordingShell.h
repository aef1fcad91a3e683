#pragma once
// A stand-in for the Win32 shell of wf::Application in native tests: it
// defines ApplicationWin32's operations over the recording engine, plays
// back what the test scripts (the mode obtained, the desktop, failures) and
// records the warning boxes instead of showing them. Linked only natively,
// where the real shell (ApplicationWin32.cpp) is not built.

#include <string>
#include <utility>
#include <vector>

#include "wf/app/ModeCheck.h"

namespace testsupport {

struct ShellScript {
    bool initializeResult = true;
    bool createRendererResult = true;
    wf::ScreenSize obtainedMode = {0, 0}; // (0, 0): the mode asked for
    wf::ScreenSize primaryScreen = {1920, 1080};
    wf::ScreenSize registryDesktop = {1920, 1080};

    // What the shell did.
    std::vector<std::pair<std::string, std::string>> warnings; // caption, text
    int invalidations = 0;
    int cursorReapplied = 0;
};

// The script the shell follows; a test resets it with `shellScript() = {}`.
ShellScript& shellScript();

} // namespace testsupport

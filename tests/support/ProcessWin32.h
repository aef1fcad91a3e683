#pragma once
// Windows-only additions to Process.h for tests that keep a running program's
// handle (to look at its windows or wait for it themselves).

#include "tests/support/Process.h"

#include <windows.h>

namespace testsupport {

// Starts `commandLine` with `folder` as its current directory (empty: this
// one); the process handle, or null on failure.
HANDLE startProcess(const std::string& program, const std::string& commandLine,
                    const std::string& folder, DWORD* processId);

// Waits at most `timeoutMs`; a process still running then is ended with exit
// code 1 and the result is false.
bool waitOrEnd(HANDLE process, DWORD timeoutMs, DWORD* exitCode);

} // namespace testsupport

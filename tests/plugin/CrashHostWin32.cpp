// A stand-in game for the crash test: loads Casemount.dll, installs a crash
// reporter (an unhandled-exception filter) and calls the crash export. The exit
// code tells the test what the reporter saw.

#include "tests/plugin/CasemountLoaderWin32.h"

#include <windows.h>

namespace {

enum ExitCode : UINT {
    reportedDeliberateCrash = 0,
    libraryMissing = 10,
    reportedOtherException = 11,
    crashReturned = 12,
};

LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    bool deliberate = record->ExceptionCode == CASEMOUNT_DELIBERATE_CRASH &&
                      (record->ExceptionFlags & EXCEPTION_NONCONTINUABLE) &&
                      record->NumberParameters == 0;
    ExitProcess(deliberate ? reportedDeliberateCrash : reportedOtherException);
}

} // namespace

int main() {
    // No crash dialog, whatever happens.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const casemounttest::Casemount* api = casemounttest::casemount();
    if (!api) {
        return libraryMissing;
    }
    SetUnhandledExceptionFilter(reportCrash);
    api->interceptDoCrash();
    return crashReturned;
}

// A deliberate crash, so that the game's developers can exercise their crash
// reporting end to end.

#include "plugin/ExportsWin32.h"

// Raises CASEMOUNT_DELIBERATE_CRASH, non-continuable and without parameters, on
// the calling thread. It goes through the usual exception dispatch: the game's
// handlers and its unhandled-exception filter (its crash reporter) see it like
// any fault; with no filter, Windows ends the process with that code. A handler
// that tries to continue gets EXCEPTION_NONCONTINUABLE_EXCEPTION instead. Unlike
// a null pointer write, this is well defined and the same with every compiler.
extern "C" void WINAPI win32_proc_intercept_do_crash() {
    RaiseException(CASEMOUNT_DELIBERATE_CRASH, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    // Only reached if a handler resumed despite the flag; never return into the game.
    TerminateProcess(GetCurrentProcess(), CASEMOUNT_DELIBERATE_CRASH);
}

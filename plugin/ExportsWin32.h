#pragma once
// The seven functions Casemount.dll exports to the game, all stdcall. The
// exported names are fixed by the def files ("_win32_proc_set_cursor@4", ...).

#include <windows.h>

// Called on Alt+Enter over the intercepted window; its result is ignored.
typedef void(WINAPI* FullscreenCallback)();

// The exception code that win32_proc_intercept_do_crash raises, so that a crash
// report can tell the deliberate crash from a real one ("CA5E" for Casemount).
#define CASEMOUNT_DELIBERATE_CRASH 0xE0CA5E01UL

extern "C" {

// Subclasses the calling thread's active window. True when a previous window
// procedure was in place (and is now remembered); false when nothing was intercepted.
bool WINAPI win32_proc_intercept_init();
// Puts the remembered window procedure back and forgets the window.
void WINAPI win32_proc_intercept_release();
// Never returns: raises CASEMOUNT_DELIBERATE_CRASH as a non-continuable exception.
void WINAPI win32_proc_intercept_do_crash();

// The cursor shown over the window; null shows the arrow.
void WINAPI win32_proc_set_cursor(HCURSOR cursor);
HCURSOR WINAPI win32_proc_get_cursor();
HCURSOR WINAPI win32_proc_get_default_cursor();

// Null clears the callback.
void WINAPI win32_proc_set_fullscreen_callback(FullscreenCallback callback);
}

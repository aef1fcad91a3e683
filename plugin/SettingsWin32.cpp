// The cursor and the full-screen callback chosen by the game. They outlive
// release and re-interception.

#include "plugin/StateWin32.h"

using casemount::state;

extern "C" void WINAPI win32_proc_set_cursor(HCURSOR cursor) {
    state.cursor = cursor;
}

extern "C" HCURSOR WINAPI win32_proc_get_cursor() {
    return state.cursor;
}

extern "C" HCURSOR WINAPI win32_proc_get_default_cursor() {
    return state.defaultCursor;
}

extern "C" void WINAPI win32_proc_set_fullscreen_callback(FullscreenCallback callback) {
    state.fullscreenCallback = callback;
}

// Subclassing the game's active window and giving it back.

#include "plugin/StateWin32.h"

using casemount::state;

extern "C" bool WINAPI win32_proc_intercept_init() {
    HWND window = GetActiveWindow();
    // Intercepting the same window twice must not remember our own procedure as
    // the previous one: messages would then loop back to us forever and the
    // game's procedure could never be restored.
    if (window && window == state.window) {
        return true;
    }
    if (state.window) {
        win32_proc_intercept_release();
    }
    LONG_PTR previous = SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&casemount::replacementWindowProc));
    if (!previous) {
        return false; // no active window, or not ours to subclass: nothing installed
    }
    state.window = window;
    state.previous = reinterpret_cast<WNDPROC>(previous);
    return true;
}

extern "C" void WINAPI win32_proc_intercept_release() {
    if (state.window && state.previous) {
        SetWindowLongPtrA(state.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.previous));
    }
    state.window = nullptr;
    state.previous = nullptr;
}

// The procedure that sits in front of the game's own window procedure.

#include "plugin/StateWin32.h"

namespace casemount {

namespace {

// Both caption bits (border and dialog frame): a window with neither is a
// borderless, full-screen style window.
constexpr LONG_PTR captionBits = 0x00C00000;

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Someone may have subclassed on top of us before release; with nothing left
    // to pass to, the default procedure is the safe answer.
    if (!state.previous) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // The previous procedure may be a thunk handle rather than a function:
    // only CallWindowProc may call it.
    return CallWindowProcA(state.previous, window, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK replacementWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(state.cursor ? state.cursor : state.defaultCursor);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_RETURN) {
            // Alt+Enter belongs to the game's full-screen switch, never to its window procedure.
            if (state.fullscreenCallback) {
                state.fullscreenCallback();
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        break;
    case WM_ACTIVATE:
        // A borderless window losing activation must also lose keyboard focus, so
        // that the game stops reading keys meant for the window in front.
        if (LOWORD(wParam) == WA_INACTIVE &&
            (GetWindowLongPtrA(window, GWL_STYLE) & captionBits) == 0) {
            SendMessageA(window, WM_KILLFOCUS, 0, 0);
        }
        break;
    }
    return passOn(window, message, wParam, lParam);
}

} // namespace casemount

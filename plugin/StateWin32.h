#pragma once
// The plug-in's process-wide values, shared by its exports and its window
// procedure. Only the thread that owns the game's window touches them.

#include "plugin/ExportsWin32.h"

namespace casemount {

struct State {
    HWND window = nullptr;           // the intercepted window, null when none
    WNDPROC previous = nullptr;      // its procedure before interception
    HCURSOR cursor = nullptr;        // chosen by the game; null means the default
    HCURSOR defaultCursor = nullptr; // the arrow, loaded with the library
    FullscreenCallback fullscreenCallback = nullptr;
};

extern State state;

LRESULT CALLBACK replacementWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace casemount

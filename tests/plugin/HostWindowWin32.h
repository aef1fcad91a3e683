#pragma once
// The host of the plug-in tests: top-level windows whose own procedure (standing
// in for the game's) records every message it receives.

#include <windows.h>

#include <vector>

namespace casemounttest {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the host's procedure answers to the messages the tests send.
constexpr LRESULT hostAnswer = 0x5EED;
// A message only the host knows.
constexpr UINT hostMessage = WM_APP + 7;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every message the host's procedure saw since the last clear, all windows together.
std::vector<Received>& hostLog();
// The logged messages of these kinds, in order.
std::vector<Received> hostReceived(std::vector<UINT> messages);

// A shown, active host window with the given style.
HWND createHostWindow(DWORD style);

} // namespace casemounttest

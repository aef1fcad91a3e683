#include "tests/plugin/HostWindowWin32.h"

#include <algorithm>

namespace casemounttest {

std::vector<Received>& hostLog() {
    static std::vector<Received> log;
    return log;
}

std::vector<Received> hostReceived(std::vector<UINT> messages) {
    std::vector<Received> found;
    for (const Received& received : hostLog()) {
        if (std::find(messages.begin(), messages.end(), received.message) != messages.end()) {
            found.push_back(received);
        }
    }
    return found;
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    hostLog().push_back({message, wParam, lParam});
    switch (message) {
    case hostMessage:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return hostAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createHostWindow(DWORD style) {
    static ATOM windowClass = [] {
        WNDCLASSA description = {};
        description.lpfnWndProc = hostWindowProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "CasemountTestHost";
        return RegisterClassA(&description);
    }();
    HWND window = CreateWindowExA(0, MAKEINTATOM(windowClass), "host", style, 10, 10, 320, 240,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetActiveWindow(window);
    }
    return window;
}

} // namespace casemounttest

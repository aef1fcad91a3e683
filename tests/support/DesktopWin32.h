#pragma once
// Driving another program's full-screen window from a test or benchmark under
// Wine: finding its window, reading the screen back and sending real input
// through the system's queue (SendInput), as a user's hand would.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The first visible top-level window of class `className` owned by process
// `processId`, waiting at most `timeoutMs`; null when none appeared.
HWND waitForWindow(DWORD processId, const char* className, DWORD timeoutMs);
// Whether process `processId` owns any top-level window of that class now.
bool hasWindow(DWORD processId, const char* className);

// A copy of the whole primary screen, 0x00RRGGBB per pixel, top row first.
struct ScreenShot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
ScreenShot captureScreen();

// Largest difference of the red, green and blue channels.
int colourDistance(uint32_t a, uint32_t b);

// Polls the screen until `test` holds, at most `timeoutMs`; the last shot.
template <class Test> bool waitForScreen(Test test, DWORD timeoutMs, ScreenShot* last = nullptr) {
    const DWORD start = GetTickCount();
    for (;;) {
        ScreenShot shot = captureScreen();
        const bool held = test(shot);
        if (last != nullptr) {
            *last = std::move(shot);
        }
        if (held || GetTickCount() - start > timeoutMs) {
            return held;
        }
        Sleep(50);
    }
}

// Input through SendInput. Positions are screen pixels.
void sendMouseMove(int x, int y);
void sendMouseButton(DWORD downFlag, DWORD upFlag); // e.g. MOUSEEVENTF_LEFTDOWN, ..._LEFTUP
void sendWheel(int clicks);
void sendKey(WORD virtualKey);

} // namespace testsupport

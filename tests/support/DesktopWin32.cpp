#include "tests/support/DesktopWin32.h"

#include <cstdlib>

namespace testsupport {

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (owner == search->processId && lstrcmpA(name, search->className) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findWindow(DWORD processId, const char* className) {
    WindowSearch search = {processId, className, nullptr};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void send(INPUT& input) {
    SendInput(1, &input, sizeof(INPUT));
    Sleep(30); // let the target's message loop take it before the next one
}

} // namespace

HWND waitForWindow(DWORD processId, const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = findWindow(processId, className);
        if (window != nullptr || GetTickCount() - start > timeoutMs) {
            return window;
        }
        Sleep(20);
    }
}

bool hasWindow(DWORD processId, const char* className) {
    return findWindow(processId, className) != nullptr;
}

ScreenShot captureScreen() {
    ScreenShot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(source, source + size_t(shot.width) * size_t(shot.height));
    for (uint32_t& pixel : shot.pixels) {
        pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

int colourDistance(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        largest = d > largest ? d : largest;
    }
    return largest;
}

void sendMouseMove(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute positions run 0..65535 over the primary screen.
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
}

void sendMouseButton(DWORD downFlag, DWORD upFlag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = downFlag;
    send(input);
    input.mi.dwFlags = upFlag;
    send(input);
}

void sendWheel(int clicks) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = DWORD(clicks * WHEEL_DELTA);
    send(input);
}

void sendKey(WORD virtualKey) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    send(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    send(input);
}

} // namespace testsupport

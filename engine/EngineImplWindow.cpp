// The engine window procedure: turns window messages into input events, focus
// changes, the Alt+Enter toggle and vetoable close requests.
#include "engine/EngineImpl.h"

namespace {

int signedLow(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}
int signedHigh(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

int scanCodeOf(LPARAM lparam) {
    return static_cast<int>((lparam >> 16) & 0xFF);
}

int buttonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return VK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return VK_RBUTTON;
    default:
        return VK_MBUTTON;
    }
}

} // namespace

LRESULT CALLBACK EngineImpl::windowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
    EngineImpl* engine = instance();
    if (engine == nullptr) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    return engine->handleMessage(window, message, wparam, lparam);
}

LRESULT EngineImpl::handleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool graphicsReady = d3d != nullptr;
    switch (message) {
    case WM_CREATE:
        return 0;

    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;

    case WM_SIZE:
        if (graphicsReady && wparam == SIZE_RESTORED) {
            resize(LOWORD(lparam), HIWORD(lparam));
        }
        break;

    case WM_ACTIVATE: {
        const bool nowActive = LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0;
        if (graphicsReady && nowActive != active) {
            focusChange(nowActive);
        }
        if (nowActive) {
            restoreDeadline = restoreFullScreenPending && windowed ? Clock_GetTime() + 1.0f : -1.0f;
        } else {
            if (restoreFullScreenPending && windowed && restoreDeadline > 0.0f) {
                ShowWindow(hwnd, SW_MINIMIZE);
            }
            restoreDeadline = -1.0f;
        }
        return 0;
    }

    case WM_PAINT:
        if (graphicsReady && device != nullptr) {
            if (renderCallback != nullptr && windowed) {
                renderCallback();
            }
        } else {
            paintBlack();
        }
        break;

    case WM_SETCURSOR:
        if (active && LOWORD(lparam) == HTCLIENT && hideCursor) {
            SetCursor(nullptr);
        } else {
            SetCursor(cursor);
        }
        return 0;

    case WM_KEYDOWN:
        if (wparam == VK_LWIN || wparam == VK_RWIN) {
            return 0;
        }
        addInputEvent(EngineEventKeyDown, static_cast<int>(wparam), scanCodeOf(lparam),
                      (lparam & 0x40000000) ? EngineFlagRepeat : 0, -1, -1);
        return 0;

    case WM_KEYUP:
    case WM_SYSKEYUP:
        addInputEvent(EngineEventKeyUp, static_cast<int>(wparam), scanCodeOf(lparam), 0, -1, -1);
        return 0;

    case WM_SYSKEYDOWN:
        if (wparam == VK_F4) {
            if (closeRequestCallback != nullptr && !closeRequestCallback()) {
                return 0;
            }
            break;
        }
        if (wparam == VK_RETURN) {
            return toggleFullScreen() ? 1 : 0;
        }
        addInputEvent(EngineEventKeyDown, static_cast<int>(wparam), scanCodeOf(lparam),
                      (lparam & 0x40000000) ? EngineFlagRepeat : 0, -1, -1);
        return 0;

    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == SC_CLOSE) {
            if (closeRequestCallback != nullptr && !closeRequestCallback()) {
                return 0;
            }
            active = false;
        }
        break;

    case WM_MOUSEMOVE:
        addInputEvent(EngineEventMouseMove, 0, 0, 0, signedLow(lparam), signedHigh(lparam));
        return 0;

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetFocus(hwnd);
        addInputEvent(EngineEventButtonDown, buttonOf(message), 0, 0, signedLow(lparam),
                      signedHigh(lparam));
        return 0;

    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        addInputEvent(EngineEventButtonUp, buttonOf(message), 0, 0, signedLow(lparam),
                      signedHigh(lparam));
        return 0;

    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        addInputEvent(EngineEventButtonDown, buttonOf(message), 0, EngineFlagRepeat,
                      signedLow(lparam), signedHigh(lparam));
        return 0;

    case WM_MOUSEWHEEL:
        addInputEvent(EngineEventWheel, static_cast<short>(HIWORD(wparam)) / WHEEL_DELTA, 0, 0,
                      signedLow(lparam), signedHigh(lparam));
        return 0;

    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

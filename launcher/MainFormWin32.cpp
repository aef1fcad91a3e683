#include "launcher/MainFormWin32.h"

#include "launcher/MainForm.h"

namespace launcher {

const char* const mainFormClass = "TForm1";

namespace {

// A sizeable window with a taskbar button of its own, even if an owner is ever added.
constexpr DWORD formStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD formExStyle = WS_EX_APPWINDOW;

// Top-level windows have no font slot of their own; the form keeps its font here.
constexpr const char* fontProperty = "Brindlemoor.Font";

HFONT createFormFont() {
    // The height is in pixels at the design's 96 dpi. The process does not declare
    // itself DPI-aware, so Windows reports 96 dpi to it and scales the window.
    return CreateFontA(mainForm.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, mainForm.fontFace);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(createFormFont()), FALSE);
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto onCreate = reinterpret_cast<CreationHandler>(create->lpCreateParams);
        if (onCreate) {
            onCreate(window);
        }
        return 0;
    }
    case WM_SETFONT: {
        HANDLE old = RemovePropA(window, fontProperty);
        if (old) {
            DeleteObject(old);
        }
        SetPropA(window, fontProperty, reinterpret_cast<HANDLE>(wParam));
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(window, fontProperty));
    case WM_NCDESTROY: {
        HANDLE font = RemovePropA(window, fontProperty);
        if (font) {
            DeleteObject(font);
        }
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerFormClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = formProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = mainFormClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

HWND createMainForm(HINSTANCE instance, CreationHandler onCreate) {
    if (!registerFormClass(instance)) {
        return nullptr;
    }
    // The design gives the client area; the window is that plus its frame.
    RECT frame = {0, 0, mainForm.clientWidth, mainForm.clientHeight};
    AdjustWindowRectEx(&frame, formStyle, FALSE, formExStyle);
    return CreateWindowExA(formExStyle, mainFormClass, mainForm.caption, formStyle, mainForm.left,
                           mainForm.top, frame.right - frame.left, frame.bottom - frame.top,
                           nullptr, nullptr, instance, reinterpret_cast<void*>(onCreate));
}

} // namespace launcher

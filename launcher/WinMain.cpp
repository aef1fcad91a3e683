// Entry of Brindlemoor.exe: create the main window, whose creation starts the
// game and asks to quit, then run the message loop until that quit arrives.

#include "launcher/GameLaunchWin32.h"
#include "launcher/MainFormWin32.h"

#include <objbase.h>
#include <windows.h>

namespace {

void startGameAndQuit(HWND form) {
    launcher::launchGame(form);
    PostQuitMessage(0);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The shell may hand the open request to COM-based handlers.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    HWND form = launcher::createMainForm(instance, startGameAndQuit);
    if (form) {
        ShowWindow(form, showCommand);
        UpdateWindow(form);
    }

    // The quit posted during creation is the first message to come back, so the
    // window closes again right after it was shown.
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    if (form) {
        DestroyWindow(form);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}

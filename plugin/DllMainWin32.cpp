// Start-up of Casemount.dll: have the arrow ready before the game asks for it.

#include "plugin/StateWin32.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // user32 is already loaded (we import it), so this is safe under the loader lock.
        casemount::state.defaultCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    return TRUE;
}

#include "engine/SystemVersionWin32.h"

OSVERSIONINFOA systemVersion() {
    OSVERSIONINFOA os;
    ZeroMemory(&os, sizeof(os));
    os.dwOSVersionInfoSize = sizeof(os);
    // Deprecated, but the version a program is told is the one it acts on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&os);
#pragma GCC diagnostic pop
    return os;
}

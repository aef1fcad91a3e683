#pragma once
// Loads Casemount.dll from the test's own folder, the way the game does: by
// file name, then every export by its exported (decorated) name.

#include "plugin/ExportsWin32.h"

namespace casemounttest {

extern const char* const exportNames[7];

struct Casemount {
    bool(WINAPI* interceptInit)();
    void(WINAPI* interceptRelease)();
    void(WINAPI* interceptDoCrash)();
    void(WINAPI* setCursor)(HCURSOR);
    HCURSOR(WINAPI* getCursor)();
    HCURSOR(WINAPI* getDefaultCursor)();
    void(WINAPI* setFullscreenCallback)(FullscreenCallback);
};

// The library, loaded once and kept; null when it cannot be loaded.
HMODULE casemountModule();
FARPROC casemountExport(const char* name);
// All seven functions, or null when the library or any export is missing.
const Casemount* casemount();

} // namespace casemounttest

#include "tests/plugin/CasemountLoaderWin32.h"

namespace casemounttest {

const char* const exportNames[7] = {
    "_win32_proc_intercept_init@0",
    "_win32_proc_intercept_release@0",
    "_win32_proc_intercept_do_crash@0",
    "_win32_proc_set_cursor@4",
    "_win32_proc_get_cursor@0",
    "_win32_proc_get_default_cursor@0",
    "_win32_proc_set_fullscreen_callback@4",
};

HMODULE casemountModule() {
    static HMODULE module = LoadLibraryA("Casemount.dll");
    return module;
}

FARPROC casemountExport(const char* name) {
    HMODULE module = casemountModule();
    return module ? GetProcAddress(module, name) : nullptr;
}

namespace {

// Through void (*)(), which converts to and from every function pointer type.
template <typename Function> bool resolve(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(casemountExport(name)));
    return function != nullptr;
}

bool resolveAll(Casemount& api) {
    return resolve(api.interceptInit, exportNames[0]) &&
           resolve(api.interceptRelease, exportNames[1]) &&
           resolve(api.interceptDoCrash, exportNames[2]) &&
           resolve(api.setCursor, exportNames[3]) && resolve(api.getCursor, exportNames[4]) &&
           resolve(api.getDefaultCursor, exportNames[5]) &&
           resolve(api.setFullscreenCallback, exportNames[6]);
}

} // namespace

const Casemount* casemount() {
    static Casemount api = {};
    static bool complete = resolveAll(api);
    return complete ? &api : nullptr;
}

} // namespace casemounttest

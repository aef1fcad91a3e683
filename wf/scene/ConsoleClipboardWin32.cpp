#include "wf/scene/ConsoleClipboard.h"

#include "engine/Engine.h"

#include <windows.h>

namespace wf {

namespace {

// Copies the locked clipboard text; false when the data cannot be fetched.
bool copyClipboardText(std::string* text) {
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) {
        return false;
    }
    const char* locked = static_cast<const char*>(GlobalLock(data));
    if (!locked) {
        return false;
    }
    // The block may be larger than the text; stop at its end all the same.
    const SIZE_T size = GlobalSize(data);
    SIZE_T length = 0;
    while (length < size && locked[length] != '\0') {
        ++length;
    }
    text->assign(locked, length);
    GlobalUnlock(data);
    return true;
}

} // namespace

bool readClipboardText(std::string* text) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) {
        return false;
    }
    Engine* engine = AcquireEngine();
    HWND owner = reinterpret_cast<HWND>(engine->System_GetWindow(WindowHandle));
    bool read = false;
    if (OpenClipboard(owner)) {
        read = copyClipboardText(text);
        CloseClipboard();
    }
    engine->System_Release();
    return read;
}

} // namespace wf

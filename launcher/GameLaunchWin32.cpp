#include "launcher/GameLaunchWin32.h"

#include <shellapi.h>

namespace launcher {

const char* const gameExecutable = "Brindlemoor_Quillhaven_Ozmir.exe";

void launchGame(HWND owner) {
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    // No error box when the game is missing: the launcher must exit silently.
    // NOASYNC because the launcher quits as soon as this returns, and the shell
    // must have finished starting the game by then.
    request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    request.hwnd = owner;
    request.lpVerb = "open";
    request.lpFile = gameExecutable;
    request.lpParameters = nullptr;
    request.lpDirectory = nullptr;
    request.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&request); // deliberately unchecked: nothing is reported either way
}

} // namespace launcher

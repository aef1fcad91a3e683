// Entry of the screensaver program.

#include "screensaver/CommandLine.h"
#include "screensaver/VideoPlayerApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (!screensaver::shouldRunScreensaver(commandLine ? commandLine : "")) {
        return 0;
    }
    screensaver::runScreensaver();
    return 0;
}

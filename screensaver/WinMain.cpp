// Entry of the screensaver program.

#include "screensaver/CommandLine.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (!screensaver::shouldRunScreensaver(commandLine ? commandLine : "")) {
        return 0;
    }
    return 0;
}

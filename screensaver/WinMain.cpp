// Entry of the screensaver program: the switches, then the start-up and
// shut-down sequence.

#include "ph/Log.h"
#include "screensaver/CommandLine.h"
#include "screensaver/MovieChoice.h"
#include "screensaver/VideoPlayerApp.h"

#include <windows.h>

namespace {

void runScreensaver() {
    ph::logFileName = "scrsaver.log"; // before anything can log
    screensaver::VideoPlayerApp* app = new screensaver::VideoPlayerApp();
    app->switchToFullScreen();
    if (!app->initialize()) {
        app->release();
        return;
    }
    // The settings may have asked for a window: a screensaver fills the screen.
    app->switchToFullScreen();
    const std::string movie = screensaver::readCurrentMovie();
    if (!movie.empty()) {
        app->playMovie(movie);
    }
    app->run();
    app->release();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (!screensaver::shouldRunScreensaver(commandLine ? commandLine : "")) {
        return 0;
    }
    runScreensaver();
    return 0;
}

#pragma once
// The screensaver's application: the framework's application with its own
// settings file and data folder, playing one movie stretched over the screen,
// and stopping on any input but the very first mouse move.

#include <string>

#include "wf/app/Application.h"

namespace screensaver {

class VideoPlayerApp : public wf::Application {
public:
    // Settings file "app_scr.ini"; data folder in the game's folder under the
    // user's application data (created when missing).
    VideoPlayerApp();

    // Adds a movie element for `path` (relative to the program folder),
    // centred and stretched to the screen, with the pointer hidden. A movie
    // that does not open leaves a black screen.
    void playMovie(const std::string& path);

    bool leftButtonDown(wf::InputEvent* event) override;
    bool leftButtonUp(wf::InputEvent* event) override;
    bool rightButtonDown(wf::InputEvent* event) override;
    bool rightButtonUp(wf::InputEvent* event) override;
    // Wine and Windows report the pointer once as the window appears: the
    // first move of the process is forgiven, every later one stops.
    bool mouseMoved(wf::InputEvent* event) override;
    bool mouseEntered(wf::InputEvent* event) override;
    bool mouseExited(wf::InputEvent* event) override;
    bool wheelMoved(wf::InputEvent* event) override;
    // Every key stops, the console's toggle key too.
    bool keyDown(wf::InputEvent* event) override;
    bool keyUp(wf::InputEvent* event) override;

    // Test seam: the process-wide first-move flag back to its start value.
    static void resetFirstMove();

private:
    bool stop();
};

} // namespace screensaver

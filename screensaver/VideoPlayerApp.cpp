#include "screensaver/VideoPlayerApp.h"

#include "ph/Pointer.h"
#include "pr/Animation.h"
#include "screensaver/MoviePlacement.h"
#include "wf/app/EngineReference.h"
#include "wf/scene/Element.h"
#include "wf/video/MovieElement.h"

namespace screensaver {

namespace {

// Process-wide and never set back: only the first move of the run is forgiven.
bool firstMove = true;

const char makerFolder[] = "Torvane";
const char productFolder[] = "Brindlemoor_Quillhaven_Ozmir";

} // namespace

VideoPlayerApp::VideoPlayerApp() {
    setSettingsFileName("app_scr.ini");
    setDataFolder(makerFolder, productFolder);
}

void VideoPlayerApp::resetFirstMove() {
    firstMove = true;
}

bool VideoPlayerApp::stop() {
    runLoop().requestStop();
    return true;
}

void VideoPlayerApp::playMovie(const std::string& path) {
    // In scene units: when the mode obtained differs from the one asked for,
    // drawing is already scaled up to the screen.
    const wf::ScreenSize screen = getLayoutSize();
    ph::Pointer<wf::MovieElement> movie = ph::adopt(new wf::MovieElement());
    if (cursorMode() != 0) {
        setCursorMode(0);
        wf::EngineReference engine;
        engine->Input_SetCursor(nullptr);
        engine->System_SetFlag(HideCursor, true);
        reapplyCursorPosition();
    }
    movie->setFlags(movie->flags() | wf::Element::IgnoresInput);
    const MoviePlacement centre = placeMovie(screen.width, screen.height, 0.0f, 0.0f);
    movie->setPosition(ph::Vector<float>(centre.x, centre.y));
    movie->open(path);
    if (pr::Animation* picture = movie->animation()) {
        const MoviePlacement placed =
            placeMovie(screen.width, screen.height, picture->Width(), picture->Height());
        movie->setScale(ph::Vector<float>(placed.scaleX, placed.scaleY));
    }
    addChild(movie.get());
}

bool VideoPlayerApp::leftButtonDown(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::leftButtonUp(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::rightButtonDown(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::rightButtonUp(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::mouseMoved(wf::InputEvent*) {
    if (firstMove) {
        firstMove = false;
        return true;
    }
    return stop();
}
bool VideoPlayerApp::mouseEntered(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::mouseExited(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::wheelMoved(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::keyDown(wf::InputEvent*) {
    return stop();
}
bool VideoPlayerApp::keyUp(wf::InputEvent*) {
    return stop();
}

} // namespace screensaver

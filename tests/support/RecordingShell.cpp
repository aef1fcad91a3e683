#include "tests/support/RecordingShell.h"

#include "wf/app/ApplicationWin32.h"
#include "wf/app/EngineReference.h"

namespace testsupport {

ShellScript& shellScript() {
    static ShellScript script;
    return script;
}

} // namespace testsupport

namespace wf {

namespace {
ApplicationWin32* currentShell = nullptr;
}

ApplicationWin32::ApplicationWin32() {
    currentShell = this;
}

ApplicationWin32::~ApplicationWin32() {
    if (currentShell == this) {
        currentShell = nullptr;
    }
}

ApplicationWin32* ApplicationWin32::current() {
    return currentShell;
}

bool ApplicationWin32::initialize() {
    const testsupport::ShellScript& script = testsupport::shellScript();
    if (!script.initializeResult) {
        return false;
    }
    EngineReference engine;
    engine->System_Initiate();
    ScreenSize obtained = script.obtainedMode;
    if (obtained.width == 0 && obtained.height == 0) {
        obtained = requestedSize;
    }
    engine->System_SetNumber(ScreenWidth, obtained.width);
    engine->System_SetNumber(ScreenHeight, obtained.height);
    acceptObtainedMode(obtained);
    return true;
}

EngineWindow ApplicationWin32::windowHandle() {
    return window;
}
intptr_t ApplicationWin32::openDocument(const std::string&) {
    return 0;
}
long ApplicationWin32::setAsScreenSaver(bool) {
    return -1;
}
void ApplicationWin32::setWallpaper(const std::string&) {}
void ApplicationWin32::runProcessAndWait(const std::string&, const std::string&) {}
bool ApplicationWin32::copyToDesktop(const std::string&, bool) {
    return false;
}
bool ApplicationWin32::copyToDocuments(const std::string&, bool) {
    return false;
}
std::string ApplicationWin32::documentsPath(const std::string&) {
    return std::string();
}
void ApplicationWin32::updateWindowTitle() {}
void ApplicationWin32::setDataFolder(const std::string&, const std::string&) {}

bool ApplicationWin32::createRenderer() {
    return testsupport::shellScript().createRendererResult;
}

ScreenSize ApplicationWin32::primaryScreenSize() {
    return testsupport::shellScript().primaryScreen;
}
ScreenSize ApplicationWin32::registryDesktopMode() {
    return testsupport::shellScript().registryDesktop;
}
void ApplicationWin32::invalidateWindow() {
    ++testsupport::shellScript().invalidations;
}
void ApplicationWin32::reapplyCursorPosition() {
    ++testsupport::shellScript().cursorReapplied;
}
void ApplicationWin32::showWarningBox(const std::string& caption, const std::string& text) {
    testsupport::shellScript().warnings.emplace_back(caption, text);
}

} // namespace wf

#include "wf/app/Application.h"

#include <cstdio>

#include "engine/MessageTable.h"
#include "ph/AutoreleasePool.h"
#include "ph/FileSystem.h"
#include "ph/Log.h"
#include "pr/FontRegistry.h"
#include "pr/RenderContext.h"
#include "wf/input/Cursor.h"
#include "wf/input/InputRouter.h"
#include "wf/scene/Console.h"
#include "wf/scene/InputEvent.h"

namespace wf {

namespace {

Application* currentApplication = nullptr;

const char settingsSection[] = "SYSTEM";
const int32_t consoleToggleKey = InputRouter::ConsoleToggleKey;

// The engine callbacks: each does nothing and answers false while there is
// no application.
bool renderCallback() {
    if (currentApplication != nullptr) {
        currentApplication->render();
    }
    return false;
}
bool focusLostCallback() {
    return currentApplication != nullptr && currentApplication->focusLost();
}
bool focusGainedCallback() {
    return currentApplication != nullptr && currentApplication->focusGained();
}
bool closeRequestCallback() {
    return currentApplication != nullptr && currentApplication->canClose();
}
bool modeSwitchedCallback() {
    if (currentApplication != nullptr) {
        currentApplication->modeSwitched();
    }
    return false;
}
bool modeSwitchCallback() {
    if (currentApplication == nullptr) {
        return false;
    }
    ph::AutoreleasePool pool;
    return currentApplication->confirmWindowedSwitch();
}

// Copies `from` to `to` unless `to` exists; a missing `from` is no error.
void copyWithoutOverwriting(const std::string& from, const std::string& to) {
    FILE* existing = std::fopen(to.c_str(), "rb");
    if (existing != nullptr) {
        std::fclose(existing);
        return;
    }
    FILE* source = std::fopen(from.c_str(), "rb");
    if (source == nullptr) {
        return;
    }
    FILE* target = std::fopen(to.c_str(), "wb");
    if (target != nullptr) {
        char buffer[4096];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof(buffer), source)) > 0) {
            std::fwrite(buffer, 1, count, target);
        }
        std::fclose(target);
    }
    std::fclose(source);
}

} // namespace

Application::Application() {
    engine = AcquireEngine();
    loop = ph::adopt(new RunLoop());
    loop->setDelegate(this);
    router.reset(new InputRouter(engine, this, this));
    currentApplication = this;
}

Application::~Application() {
    {
        // The children go first and for good (the pool drains here), so
        // nothing in the tree outlives the layers below it.
        ph::AutoreleasePool pool;
        for (uint32_t index = 0; index < entryCount(); ++index) {
            detachChildAt(index);
        }
        compactChildren();
        console = nullptr;
        router->setCursor(nullptr);
        router->clearHover();
    }

    delete pr::currentRenderContext();
    pr::setCurrentRenderContext(nullptr);
    if (pr::FontRegistry* fonts = pr::currentFontRegistry()) {
        fonts->Clear();
        delete fonts;
        pr::setCurrentFontRegistry(nullptr);
    }

    engine->System_Release();
    engine = nullptr;
    router.reset();
    loop->setDelegate(nullptr);
    loop.reset();
    if (currentApplication == this) {
        currentApplication = nullptr;
    }
}

Application* Application::current() {
    return currentApplication;
}

bool Application::initialize() {
    ph::AutoreleasePool pool;
    const char* appDirectory = engine->System_GetText(AppDirectory);
    const std::string programFolder = appDirectory != nullptr ? appDirectory : "";
    ph::FileSystem::instance().setRoot(programFolder);
    if (dataFolder.empty()) {
        dataFolder = programFolder;
    }
    ph::logFileName = dataFolder + ph::logFileName;
    desktopSize = primaryScreenSize();

    copySettingsFile();
    engine->System_SetNumber(ScreenWidth, requestedSize.width);
    engine->System_SetNumber(ScreenHeight, requestedSize.height);
    engine->System_SetFlag(Windowed, engine->Settings_ReadInt(settingsSection, "Windowed", 0) != 0);
    engine->System_SetFlag(SoundEnabled, false);
    installEngineCallbacks();
    engine->System_SetNumber(FrameRate, -1); // in step with the display
    setMessageLanguage(engine->Settings_ReadString(settingsSection, "Language", ""));

    if (!ApplicationWin32::initialize()) {
        PH_LOG(2) << "system initialization failed.";
        return false;
    }
    if (!createRenderer()) {
        PH_LOG(2) << "renderer creation failed.";
        return false;
    }
    PH_LOG(2) << "system initialization successful.";

    pr::setCurrentFontRegistry(new pr::FontRegistry());
    engine->System_SetFlag(HideCursor, cursorMode() == InputRouter::CursorDrawn);
    engine->Rand_SetSeed(0);
    pr::RenderContext* context = new pr::RenderContext();
    context->SetScale(resolutionScale.x, resolutionScale.y);
    pr::setCurrentRenderContext(context);
    router->setResolutionScale(ph::Vector<float>(resolutionScale.x, resolutionScale.y));
    checkWindowFits();
    attachConsole();
    updateKeyResponder();
    PH_LOG(2) << "Engine initialization complete.";
    return true;
}

void Application::copySettingsFile() {
    const std::string path = dataFolder + settingsFile;
    copyWithoutOverwriting(settingsFile, path);
    engine->System_SetText(IniFile, path.c_str());
}

void Application::installEngineCallbacks() {
    engine->System_SetCallback(RenderCallback, &renderCallback);
    engine->System_SetCallback(FocusLostCallback, &focusLostCallback);
    engine->System_SetCallback(FocusGainedCallback, &focusGainedCallback);
    engine->System_SetCallback(CloseRequestCallback, &closeRequestCallback);
    engine->System_SetCallback(ModeSwitchedCallback, &modeSwitchedCallback);
    engine->System_SetCallback(ModeSwitchCallback, &modeSwitchCallback);
}

void Application::attachConsole() {
    console = mainConsole();
    console->setScreenWidth(static_cast<float>(getLayoutSize().width));
    addChild(console);
    console->setNextResponder(static_cast<Responder*>(this));
}

void Application::run() {
    engine->Rand_SetSeed(0);
    loop->run();
}

bool Application::update(float dt) {
    updateChildren(dt);
    router->updateCursor(dt);
    return true;
}

void Application::runLoopUpdate(RunLoop&, float elapsedSeconds) {
    ph::AutoreleasePool pool;
    router->refreshPointer();
    update(elapsedSeconds);
}

void Application::handleEvent(RunLoop&, InputEvent& event) {
    ph::AutoreleasePool pool;
    router->handleEvent(&event);
}

bool Application::keyDown(InputEvent* event) {
    if (event->key == consoleToggleKey && console != nullptr) {
        router->toggleConsole(console);
        updateKeyResponder();
    }
    return true;
}

void Application::updateKeyResponder() {
    router->updateKeyResponder(console);
}

void Application::render() {
    ph::AutoreleasePool pool;
    pr::RenderContext* context = pr::currentRenderContext();
    if (context == nullptr) {
        return;
    }
    if (!context->BeginFrame()) {
        // A lost device: the frame's engine reference must still go back, or
        // the engine would never shut down.
        context->EndFrame();
        return;
    }
    const int32_t pass = context->FrameCounter();
    sortIfNeeded();
    beginScaledDrawing(pass);
    drawChildren(pass);
    if (router->cursor() != nullptr &&
        (flagsWord & (PresentsCursor | HasFocus)) == (PresentsCursor | HasFocus) &&
        engine->Input_IsMouseInside()) {
        router->drawCursor();
    }
    endScaledDrawing(pass);
    context->EndFrame();
}

void Application::beginScaledDrawing(int32_t) {
    if (isResolutionScaled()) {
        engine->Gfx_SetViewTransform(0, 0, 0, 0, 0, resolutionScale.x, resolutionScale.y);
    }
}

void Application::endScaledDrawing(int32_t) {
    if (isResolutionScaled()) {
        engine->Gfx_SetViewTransform(0, 0, 0, 0, 0, 0, 0);
    }
}

bool Application::focusGained() {
    desktopSize = registryDesktopMode();
    flagsWord |= HasFocus;
    checkWindowFits();
    return false;
}

bool Application::focusLost() {
    flagsWord &= ~HasFocus;
    invalidateWindow();
    return false;
}

void Application::showSystemMessage(const std::string& caption, const std::string& text) {
    PH_LOG(2) << "Displaying system message " << caption << " : " << text;
    showWarningBox(caption, text);
}

void Application::checkWindowFits() {
    if (flagsWord & ForcingFullScreen) {
        return;
    }
    if (windowTooLarge(requestedSize, desktopSize)) {
        flagsWord |= WindowTooLarge;
    } else {
        flagsWord &= ~WindowTooLarge;
    }
    if (!(flagsWord & WindowTooLarge) || isFullScreen()) {
        return;
    }
    PH_LOG(2) << "Forcing fullscreen mode.";
    flagsWord |= ForcingFullScreen;
    showSystemMessage(lookupMessage("WARNING"), lookupMessage("FORCING_FULLSCREEN"));
    switchToFullScreen();
    flagsWord &= ~ForcingFullScreen;
}

bool Application::confirmWindowedSwitch() {
    if (isFullScreen() && (flagsWord & WindowTooLarge)) {
        showSystemMessage(lookupMessage("WARNING"), lookupMessage("CANNOT_SWITCH_WINDOWED"));
        return false;
    }
    return true;
}

bool Application::modeSwitched() {
    engine->Settings_WriteInt(settingsSection, "Windowed",
                              engine->System_GetFlag(Windowed) ? 1 : 0);
    return false;
}

bool Application::isFullScreen() {
    return !engine->System_GetFlag(Windowed);
}

void Application::switchToFullScreen() {
    if (isFullScreen()) {
        return;
    }
    PH_LOG(2) << "Trying switch fullscreen mode " << true;
    engine->System_SetFlag(Windowed, false);
    engine->Settings_WriteInt(settingsSection, "Windowed", 0);
    PH_LOG(2) << "Switch fullscreen mode complete " << true;
}

int32_t Application::cursorMode() const {
    return router->cursorMode();
}

void Application::setCursorMode(int32_t mode) {
    router->setCursorMode(mode);
}

Cursor* Application::cursor() const {
    return router->cursor();
}

void Application::setCursor(Cursor* value) {
    router->setCursor(value);
}

ph::Vector<float> Application::pointerPosition() const {
    return router->pointerPosition();
}

Responder* Application::keyResponder() const {
    return router->keyResponder();
}

} // namespace wf

#pragma once
// The one application object: root of the scene tree, delegate of its run
// loop, last responder for input and the Win32 shell. It acquires the engine
// when built, sets up window, renderer, render context, fonts and console in
// `initialize`, drives the frames through its run loop and tears the layers
// down in a fixed order when destroyed. The screensaver derives from it.

#include <cstdint>
#include <memory>
#include <string>

#include "ph/Pointer.h"
#include "ph/Vector.h"
#include "wf/app/ApplicationWin32.h"
#include "wf/app/RunLoop.h"
#include "wf/app/RunLoopDelegate.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/Responder.h"

namespace wf {

class Console;
class Cursor;
class InputRouter;

class Application : public CompositeObject,
                    public RunLoopDelegate,
                    public Responder,
                    public ApplicationWin32 {
public:
    // Bits of the application's flags word.
    enum : uint32_t {
        WindowTooLarge = 1,
        ForcingFullScreen = 2,
        PresentsCursor = 4,
        Capturing = 8,
        HasFocus = 16,
    };

    Application();
    ~Application() override;

    // True when the window, graphics device and renderer exist.
    bool initialize() override;
    // Runs the application's run loop until it stops.
    void run();

    // Advances the scene tree and the cursor's animation; always true.
    bool update(float dt) override;
    virtual void idleHook() {}
    virtual bool focusLost();
    virtual bool focusGained();
    // A modal warning box owned by the engine window.
    virtual void showSystemMessage(const std::string& caption, const std::string& text);
    // After every windowed/full-screen toggle: records it in the settings file.
    virtual bool modeSwitched();
    virtual void updateKeyResponder();
    virtual void beginScaledDrawing(int32_t pass);
    virtual void endScaledDrawing(int32_t pass);

    // A window that cannot fit the desktop is forced to full screen.
    void checkWindowFits();
    // Whether a switch to windowed mode may go ahead (refused with a warning
    // while the window cannot fit).
    bool confirmWindowedSwitch();
    bool isFullScreen();
    void switchToFullScreen();

    // RunLoopDelegate
    void handleEvent(RunLoop& loop, InputEvent& event) override;
    void runLoopUpdate(RunLoop& loop, float elapsedSeconds) override;

    // Responder: the backquote key toggles the console; every key is handled.
    bool keyDown(InputEvent* event) override;

    // One engine frame's drawing: the engine's render callback.
    void render();

    RunLoop& runLoop() { return *loop; }
    uint32_t flags() const { return flagsWord; }
    int32_t cursorMode() const;
    void setCursorMode(int32_t mode);
    Cursor* cursor() const;
    void setCursor(Cursor* value);
    ph::Vector<float> pointerPosition() const;
    Responder* keyResponder() const;
    InputRouter& inputRouter() { return *router; }
    const std::string& settingsFileName() const { return settingsFile; }
    void setSettingsFileName(const std::string& value) { settingsFile = value; }

    // The application being run, or null; the engine callbacks go through it.
    static Application* current();

private:
    void installEngineCallbacks();
    void copySettingsFile();
    void attachConsole();

    uint32_t flagsWord = PresentsCursor | HasFocus;
    ph::Pointer<RunLoop> loop;
    std::unique_ptr<InputRouter> router;
    Console* console = nullptr; // held by the child list once attached
    std::string settingsFile = "app.ini";
    Engine* engine = nullptr; // the application's own reference
};

} // namespace wf

#pragma once
// Routes input events through the scene: pointer events to the element under
// the pointer, key events to the key responder, unhandled events along the
// `nextResponder` chain, with hover tracking and a pointer capture for drags.
//
// Usage: the application owns one router, made with the engine, the scene's
// root container and the application's own responder (none of them owned).
// Per event: `handleEvent(&event)` inside an autorelease pool. At the start of
// each frame: `refreshPointer()`. After attaching the console and after each
// toggle: `updateKeyResponder(console)`; the application's keyDown for the
// backquote key calls `toggleConsole(console)`. After the tree draws:
// `drawCursor()`. Before tearing the tree down: `clearHover()`.

#include "wf/input/InvocationArg.h"
#include "wf/scene/Element.h"
#include "wf/scene/InputEvent.h"
#include "wf/scene/Responder.h"

#include "ph/Pointer.h"
#include "ph/Vector.h"

#include <cstdint>

class Engine;

namespace wf {

class CompositeObject;
class Cursor;

typedef bool (Responder::*ResponderOperation)(InputEvent*);
typedef InvocationArg<ph::Vector<float>> PointCallback;

// The operation an event of `kind` reaches; none for kinds never delivered.
ResponderOperation operationForKind(int32_t kind);

class InputRouter {
public:
    // Windows virtual-key code of the backquote key, which toggles the console.
    static constexpr int32_t ConsoleToggleKey = 0xC0;
    // How the optional drawn cursor is presented.
    enum CursorMode : int32_t {
        CursorDrawn = 1,
        CursorSystem = 2,
        CursorDrawnOffset = 4, // drawn beside the pointer, smaller, if the cursor allows it
    };

    InputRouter(Engine* engine, CompositeObject* root, Responder* rootResponder);
    ~InputRouter();
    InputRouter(const InputRouter&) = delete;
    InputRouter& operator=(const InputRouter&) = delete;

    void handleEvent(InputEvent* event);
    // From `first` (the root responder when none) along the chain until one
    // handles the event; each next link is read before its responder runs.
    void deliver(Responder* first, InputEvent* event, ResponderOperation operation);

    // Reads the engine's pointer, divided by the resolution scale.
    void refreshPointer();
    void setResolutionScale(ph::Vector<float> scale) { resolutionScale = scale; }
    ph::Vector<float> pointerPosition() const { return pointer; }

    Element* hoveredElement() const { return hovered.get(); }
    // Lets go of the hovered element without telling it.
    void clearHover() { hovered.reset(); }

    Responder* keyResponder() const { return keys; }
    // The console first while it is visible (handing on to the root
    // responder), otherwise the root responder.
    void updateKeyResponder(Element* console);
    // Shows a hidden console (resume clears its input line) or hides a shown one.
    void toggleConsole(Element* console);

    // While capturing no event reaches a responder: moves go to `drag`, the
    // release of `button` (or its no longer being held) ends it with `drop`.
    void beginCapture(int32_t button, PointCallback* drag, PointCallback* drop);
    void endCapture();
    bool isCapturing() const { return capturing; }

    void setCursor(Cursor* value);
    Cursor* cursor() const { return cursorObject.get(); }
    void setCursorMode(int32_t mode) { cursorModeValue = mode; }
    int32_t cursorMode() const { return cursorModeValue; }
    // Advances the cursor's animation; the application calls it every frame.
    void updateCursor(float dt);
    // Draws the cursor at the pointer as the cursor mode says.
    void drawCursor() const;

private:
    void handleCapturedEvent(InputEvent* event);
    void handlePointerMove(InputEvent* event);
    Responder* hoveredResponder() const;

    Engine* engine;            // not owned
    CompositeObject* root;     // not owned
    Responder* rootResponder;  // not owned
    Responder* keys = nullptr; // not owned
    ph::Pointer<Element> hovered;
    ph::Vector<float> pointer;
    ph::Vector<float> resolutionScale{1.0f, 1.0f};
    bool capturing = false;
    int32_t captureButton = -1;
    ph::Pointer<PointCallback> dragCallback;
    ph::Pointer<PointCallback> dropCallback;
    ph::Pointer<Cursor> cursorObject;
    int32_t cursorModeValue = CursorSystem;
};

} // namespace wf

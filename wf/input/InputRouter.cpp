#include "wf/input/InputRouter.h"

#include "wf/input/Cursor.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/ElementSearch.h"

#include "engine/Engine.h"

namespace wf {

ResponderOperation operationForKind(int32_t kind) {
    switch (kind) {
    case InputEvent::LeftButtonDown:
        return &Responder::leftButtonDown;
    case InputEvent::LeftButtonUp:
        return &Responder::leftButtonUp;
    case InputEvent::RightButtonDown:
        return &Responder::rightButtonDown;
    case InputEvent::RightButtonUp:
        return &Responder::rightButtonUp;
    case InputEvent::MouseMove:
        return &Responder::mouseMoved;
    case InputEvent::Wheel:
        return &Responder::wheelMoved;
    case InputEvent::KeyDown:
        return &Responder::keyDown;
    case InputEvent::KeyUp:
        return &Responder::keyUp;
    default:
        return nullptr;
    }
}

InputRouter::InputRouter(Engine* engineUsed, CompositeObject* sceneRoot, Responder* rootHandler)
    : engine(engineUsed), root(sceneRoot), rootResponder(rootHandler) {}

InputRouter::~InputRouter() = default;

void InputRouter::deliver(Responder* first, InputEvent* event, ResponderOperation operation) {
    Responder* responder = first ? first : rootResponder;
    while (responder) {
        // A handler may relink the chain; the link in force before it runs counts.
        Responder* next = responder->nextResponder();
        if ((responder->*operation)(event)) {
            return;
        }
        responder = next;
    }
}

Responder* InputRouter::hoveredResponder() const {
    return hovered ? static_cast<Responder*>(hovered.get()) : nullptr;
}

void InputRouter::handleEvent(InputEvent* event) {
    if (capturing) {
        handleCapturedEvent(event);
        return;
    }
    switch (event->kind) {
    case InputEvent::LeftButtonDown:
    case InputEvent::LeftButtonUp:
    case InputEvent::RightButtonDown:
    case InputEvent::RightButtonUp:
    case InputEvent::Wheel:
        // The element found by the last move, without a new search.
        deliver(hoveredResponder(), event, operationForKind(event->kind));
        break;
    case InputEvent::MouseMove:
        handlePointerMove(event);
        break;
    case InputEvent::KeyDown:
    case InputEvent::KeyUp:
        deliver(keys, event, operationForKind(event->kind));
        break;
    default:
        break;
    }
}

void InputRouter::handlePointerMove(InputEvent* event) {
    refreshPointer();
    Element* hit = findElement(root, ElementHitTestPredicate(pointer.x, pointer.y));
    if (hit == hovered.get()) {
        deliver(hoveredResponder(), event, &Responder::mouseMoved);
        return;
    }
    if (hovered) {
        hoveredResponder()->mouseExited(event); // that element only, no chain
    }
    hovered = hit;
    if (hit) {
        static_cast<Responder*>(hit)->mouseEntered(event);
    }
}

void InputRouter::handleCapturedEvent(InputEvent* event) {
    if (!engine->Input_IsKeyHeld(captureButton)) {
        endCapture();
        return;
    }
    refreshPointer();
    const bool releasesCapture =
        (event->kind == InputEvent::LeftButtonUp && captureButton == InputEvent::LeftButton) ||
        (event->kind == InputEvent::RightButtonUp && captureButton == InputEvent::RightButton);
    if (releasesCapture) {
        endCapture();
    } else if (event->kind == InputEvent::MouseMove && dragCallback) {
        dragCallback->invoke(event->position);
    }
}

void InputRouter::refreshPointer() {
    float x = 0.0f;
    float y = 0.0f;
    engine->Input_GetMousePosition(&x, &y);
    pointer = ph::Vector<float>(x / resolutionScale.x, y / resolutionScale.y);
}

void InputRouter::updateKeyResponder(Element* console) {
    if (console && console->isVisible()) {
        keys = console;
        console->setNextResponder(rootResponder);
    } else {
        keys = rootResponder;
    }
}

void InputRouter::toggleConsole(Element* console) {
    if (!console) {
        return;
    }
    if (console->isVisible()) {
        console->pause();
        console->setVisible(false);
    } else {
        console->resume();
        console->setVisible(true);
    }
    updateKeyResponder(console);
}

void InputRouter::beginCapture(int32_t button, PointCallback* drag, PointCallback* drop) {
    capturing = true;
    captureButton = button;
    dragCallback = drag;
    dropCallback = drop;
}

void InputRouter::endCapture() {
    if (!capturing) {
        return;
    }
    // Keep the callback alive through its call even if it starts a new capture.
    ph::Pointer<PointCallback> drop = dropCallback;
    capturing = false;
    captureButton = -1;
    dragCallback.reset();
    dropCallback.reset();
    if (drop) {
        drop->invoke(pointer);
    }
}

} // namespace wf

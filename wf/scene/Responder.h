#pragma once
// Handler of input events, one operation per kind. Every element is one, and
// so is the application; an unhandled event passes along `nextResponder`.

namespace wf {

class InputEvent;

class Responder {
public:
    // Each answers whether the event was handled; true stops the delivery.
    virtual bool otherEvent(InputEvent*) { return false; }
    virtual bool leftButtonDown(InputEvent*) { return false; }
    virtual bool leftButtonUp(InputEvent*) { return false; }
    virtual bool rightButtonDown(InputEvent*) { return false; }
    virtual bool rightButtonUp(InputEvent*) { return false; }
    virtual bool mouseMoved(InputEvent*) { return false; }
    virtual bool mouseEntered(InputEvent*) { return false; }
    virtual bool mouseExited(InputEvent*) { return false; }
    virtual bool wheelMoved(InputEvent*) { return false; }
    virtual bool keyDown(InputEvent*) { return false; }
    virtual bool keyUp(InputEvent*) { return false; }
    // Whether the responder wants key events first when shown (the console does).
    virtual bool takesKeyFocus() const { return false; }
    // Reserved queries for widgets that can be disabled or refuse to give up
    // the key focus; nothing routes by them yet.
    virtual bool acceptsEvents() const { return true; }
    virtual bool resignsKeyFocus() const { return true; }

    // Not owning.
    Responder* nextResponder() const { return next; }
    void setNextResponder(Responder* responder) { next = responder; }

protected:
    // Never deleted through this interface: the object's own class owns its lifetime.
    ~Responder() = default;

private:
    Responder* next = nullptr;
};

} // namespace wf

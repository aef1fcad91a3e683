#pragma once
// Scene elements for tests of the tree and the input routing: each writes
// what happens to it ("draw a", "hit a", "keyDown a", "~a") into a shared
// journal, and answers hit tests and events as the test sets.

#include "wf/scene/Element.h"
#include "wf/scene/InputEvent.h"

#include <string>
#include <vector>

namespace testsupport {

typedef std::vector<std::string> Journal;

class ProbeElement : public wf::Element {
public:
    ProbeElement(const std::string& probeName, Journal* log, int32_t z = 0) : journal(log) {
        setName(probeName);
        setZOrder(z);
    }
    ~ProbeElement() override { note("~"); }

    bool hits = false;    // answer of hitTest
    bool handles = false; // answer of every event operation
    bool alive = true;    // answer of update
    int updates = 0;
    wf::Responder* relinkTo = nullptr; // set as nextResponder while handling an event

    void drawSelf() override { note("draw "); }
    bool hitTest(ph::Vector<float>) override {
        note("hit ");
        return hits;
    }
    bool update(float dt) override {
        ++updates;
        return wf::Element::update(dt) && alive;
    }

    bool leftButtonDown(wf::InputEvent*) override { return handle("leftButtonDown "); }
    bool leftButtonUp(wf::InputEvent*) override { return handle("leftButtonUp "); }
    bool rightButtonDown(wf::InputEvent*) override { return handle("rightButtonDown "); }
    bool rightButtonUp(wf::InputEvent*) override { return handle("rightButtonUp "); }
    bool mouseMoved(wf::InputEvent*) override { return handle("mouseMoved "); }
    bool mouseEntered(wf::InputEvent*) override { return handle("mouseEntered "); }
    bool mouseExited(wf::InputEvent*) override { return handle("mouseExited "); }
    bool wheelMoved(wf::InputEvent*) override { return handle("wheelMoved "); }
    bool keyDown(wf::InputEvent*) override { return handle("keyDown "); }
    bool keyUp(wf::InputEvent*) override { return handle("keyUp "); }

private:
    void note(const char* what) {
        if (journal) {
            journal->push_back(what + name());
        }
    }
    bool handle(const char* what) {
        note(what);
        if (relinkTo) {
            setNextResponder(relinkTo);
        }
        return handles;
    }

    Journal* journal;
};

} // namespace testsupport

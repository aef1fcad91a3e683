#include "wf/input/InputRouter.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/SceneProbes.h"
#include "wf/scene/CompositeObject.h"
#include "wf/scene/Console.h"

#include "ph/AutoreleasePool.h"
#include "ph/Pointer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testsupport::Journal;
using testsupport::ProbeElement;

// The recording engine with a pointer and held buttons the test sets.
struct PointerEngine : testsupport::RecordingEngine {
    float mouseX = 0, mouseY = 0;
    std::set<int> held;
    void Input_GetMousePosition(float* x, float* y) override {
        *x = mouseX;
        *y = mouseY;
    }
    bool Input_IsKeyHeld(int key) override { return held.count(key) != 0; }
};

EngineEvent record(int type, int key = 0, float x = 0, float y = 0) {
    EngineEvent e = {};
    e.type = type;
    e.key = key;
    e.x = x;
    e.y = y;
    return e;
}

TEST(InputEvent, KindComesFromTheRecordTypeAndButton) {
    struct Case {
        int type, key;
        int32_t kind;
    };
    const Case cases[] = {
        {EngineEventButtonDown, 1, wf::InputEvent::LeftButtonDown},
        {EngineEventButtonUp, 1, wf::InputEvent::LeftButtonUp},
        {EngineEventButtonDown, 2, wf::InputEvent::RightButtonDown},
        {EngineEventButtonUp, 2, wf::InputEvent::RightButtonUp},
        {EngineEventButtonDown, 4, wf::InputEvent::None}, // the middle button
        {EngineEventButtonUp, 4, wf::InputEvent::None},
        {EngineEventMouseMove, 0, wf::InputEvent::MouseMove},
        {EngineEventWheel, 0, wf::InputEvent::Wheel},
        {EngineEventKeyDown, 0x41, wf::InputEvent::KeyDown},
        {EngineEventKeyUp, 0x41, wf::InputEvent::KeyUp},
        {0, 0, wf::InputEvent::None},
        {99, 1, wf::InputEvent::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " key " << c.key);
        EXPECT_EQ(wf::InputEvent(record(c.type, c.key), {1, 1}).kind, c.kind);
    }
}

TEST(InputEvent, CopiesTheRecordAndDividesThePositionByTheOutputScale) {
    EngineEvent r = record(EngineEventKeyDown, 0x56, 300, 100);
    r.flags = EngineFlagCtrl;
    r.chr = 'v';
    r.wheel = -1;
    const wf::InputEvent e(r, {1.5f, 0.5f});
    EXPECT_FLOAT_EQ(e.position.x, 200);
    EXPECT_FLOAT_EQ(e.position.y, 200);
    EXPECT_EQ(e.key, 0x56);
    EXPECT_EQ(e.modifiers, wf::InputEvent::CtrlModifier);
    EXPECT_EQ(e.character, 'v');
    EXPECT_EQ(e.wheel, -1);
}

class InputRouting : public testing::Test {
protected:
    InputRouting() {
        widget = new ProbeElement("widget", &journal);
        root.addChild(widget);
        widget->release();
    }

    void send(int32_t kind, int32_t key = 0) {
        wf::InputEvent e(kind, key);
        router.handleEvent(&e);
    }
    // What the responders received, without the hit tests of the search.
    Journal delivered() {
        Journal result;
        for (const std::string& line : journal) {
            if (line.compare(0, 4, "hit ") != 0) {
                result.push_back(line);
            }
        }
        journal.clear();
        return result;
    }

    Journal journal; // outlives the pool, whose drain destroys probes
    ph::AutoreleasePool pool;
    PointerEngine engine;
    wf::CompositeObject root;
    ph::Pointer<ProbeElement> app = ph::adopt(new ProbeElement("app", &journal));
    ProbeElement* widget;
    wf::InputRouter router{&engine, &root, app.get()};
};

TEST_F(InputRouting, MiddleButtonReachesNobody) {
    wf::InputEvent middle(record(EngineEventButtonDown, 4), {1, 1});
    router.handleEvent(&middle);
    EXPECT_EQ(delivered(), Journal{});
}

TEST_F(InputRouting, PointerEventsWithNothingHoveredGoToTheRootResponder) {
    send(wf::InputEvent::LeftButtonDown);
    send(wf::InputEvent::RightButtonUp);
    send(wf::InputEvent::Wheel);
    EXPECT_EQ(delivered(), (Journal{"leftButtonDown app", "rightButtonUp app", "wheelMoved app"}));
}

TEST_F(InputRouting, HoverEntersOnceMovesThenExitsOnce) {
    widget->hits = true;
    send(wf::InputEvent::MouseMove);
    send(wf::InputEvent::MouseMove);
    EXPECT_EQ(router.hoveredElement(), widget);
    widget->hits = false;
    send(wf::InputEvent::MouseMove);
    EXPECT_EQ(delivered(),
              (Journal{"mouseEntered widget", "mouseMoved widget", "mouseExited widget"}));
    EXPECT_EQ(router.hoveredElement(), nullptr);
    send(wf::InputEvent::MouseMove);
    EXPECT_EQ(delivered(), Journal{"mouseMoved app"});
}

TEST_F(InputRouting, ButtonsGoToTheElementOfTheLastMoveWithoutANewSearch) {
    widget->hits = true;
    send(wf::InputEvent::MouseMove);
    journal.clear();
    widget->hits = false;
    widget->handles = true;
    send(wf::InputEvent::LeftButtonDown);
    EXPECT_EQ(journal, Journal{"leftButtonDown widget"}) << "no hit test, no chain";
}

TEST_F(InputRouting, HoveredElementLivesAfterRemovalUntilTheNextMove) {
    widget->hits = true;
    send(wf::InputEvent::MouseMove);
    {
        ph::AutoreleasePool frame;
        root.removeChild(widget);
    }
    EXPECT_EQ(delivered(), Journal{"mouseEntered widget"}) << "still alive";
    send(wf::InputEvent::MouseMove);
    EXPECT_EQ(delivered(), (Journal{"mouseExited widget", "~widget"}));
}

TEST_F(InputRouting, ChainUsesTheNextResponderReadBeforeEachCall) {
    ProbeElement second("second", &journal);
    ProbeElement third("third", &journal);
    widget->setNextResponder(&second);
    widget->relinkTo = &third;
    router.deliver(widget, nullptr, &wf::Responder::keyUp);
    EXPECT_EQ(delivered(), (Journal{"keyUp widget", "keyUp second"}));
}

TEST_F(InputRouting, PointerIsTheEnginesDividedByTheResolutionScale) {
    engine.mouseX = 128;
    engine.mouseY = 96;
    router.setResolutionScale({1.28f, 1.28f});
    router.refreshPointer();
    EXPECT_FLOAT_EQ(router.pointerPosition().x, 100);
    EXPECT_FLOAT_EQ(router.pointerPosition().y, 75);
}

// The application's responder: the backquote key toggles the console.
struct ToggleResponder : wf::Responder {
    wf::InputRouter* router = nullptr;
    wf::Element* console = nullptr;
    Journal* journal = nullptr;
    bool keyDown(wf::InputEvent* e) override {
        journal->push_back("keyDown app");
        if (e->key == wf::InputRouter::ConsoleToggleKey) {
            router->toggleConsole(console);
        }
        return true;
    }
};

TEST(InputRoutingConsole, KeysGoToTheVisibleConsoleFirstAndTheToggleClearsItsLine) {
    Journal journal;
    ph::AutoreleasePool pool;
    PointerEngine engine;
    wf::CompositeObject root;
    ToggleResponder app;
    wf::InputRouter router(&engine, &root, &app);
    ph::Pointer<wf::Console> console = ph::adopt(new wf::Console("MainConsole"));
    console->pause();
    console->setVisible(false);
    root.addChild(console.get());
    app.router = &router;
    app.console = console.get();
    app.journal = &journal;
    router.updateKeyResponder(console.get());
    ASSERT_EQ(router.keyResponder(), &app);

    auto press = [&](int32_t key, int32_t character) {
        wf::InputEvent e(wf::InputEvent::KeyDown, key);
        e.character = character;
        router.handleEvent(&e);
    };
    press('A', 'a');
    EXPECT_EQ(console->inputLine(), "") << "hidden: straight to the application";
    press(wf::InputRouter::ConsoleToggleKey, '`');
    EXPECT_TRUE(console->isVisible());
    EXPECT_EQ(router.keyResponder(), console.get());
    journal.clear();
    press('A', 'a');
    press(0x70, 0); // F1: the console passes it on
    EXPECT_EQ(console->inputLine(), "a");
    EXPECT_EQ(journal, Journal{"keyDown app"});

    press(wf::InputRouter::ConsoleToggleKey, '`');
    EXPECT_FALSE(console->isVisible());
    EXPECT_TRUE(console->isPaused());
    press(wf::InputRouter::ConsoleToggleKey, '`');
    EXPECT_EQ(console->inputLine(), "") << "showing again clears the line";
    EXPECT_EQ(console->nextResponder(), &app);
}

TEST_F(InputRouting, CaptureIsDroppedByItsOwnButtonsReleaseOnly) {
    std::vector<ph::Vector<float>> drags, drops;
    ph::Pointer<wf::PointCallback> drag =
        ph::adopt(new wf::PointCallback([&](ph::Vector<float> p) { drags.push_back(p); }));
    ph::Pointer<wf::PointCallback> drop =
        ph::adopt(new wf::PointCallback([&](ph::Vector<float> p) { drops.push_back(p); }));
    engine.held = {wf::InputEvent::LeftButton};
    router.beginCapture(wf::InputEvent::LeftButton, drag.get(), drop.get());

    wf::InputEvent move(wf::InputEvent::MouseMove);
    move.position = {3, 4};
    router.handleEvent(&move);
    send(wf::InputEvent::RightButtonUp);
    send(wf::InputEvent::KeyDown, 'A');
    EXPECT_TRUE(router.isCapturing());
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0], ph::Vector<float>(3, 4)) << "drags get the event's position";

    engine.mouseX = 7;
    engine.mouseY = 8;
    send(wf::InputEvent::LeftButtonUp);
    EXPECT_FALSE(router.isCapturing());
    EXPECT_EQ(drops, (std::vector<ph::Vector<float>>{{7, 8}})) << "the drop gets the pointer";
    EXPECT_EQ(drop->retainCount(), 1) << "the router let go of the callbacks";
    EXPECT_EQ(delivered(), Journal{}) << "no responder saw anything during the capture";
}

TEST_F(InputRouting, CaptureEndsWhenItsButtonIsNoLongerHeld) {
    int dropped = 0;
    ph::Pointer<wf::PointCallback> drop =
        ph::adopt(new wf::PointCallback([&](ph::Vector<float>) { ++dropped; }));
    router.beginCapture(wf::InputEvent::RightButton, nullptr, drop.get());
    send(wf::InputEvent::MouseMove);
    EXPECT_FALSE(router.isCapturing());
    EXPECT_EQ(dropped, 1);
    send(wf::InputEvent::MouseMove);
    EXPECT_EQ(delivered(), Journal{"mouseMoved app"});
}

} // namespace

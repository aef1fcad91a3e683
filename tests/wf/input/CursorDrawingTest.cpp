#include "tests/support/RecordingEngine.h"
#include "wf/input/Cursor.h"
#include "wf/input/InputRouter.h"
#include "wf/scene/CompositeObject.h"

#include "ph/Pointer.h"
#include "pr/Animation.h"

#include <gtest/gtest.h>

namespace {

// The recording engine with a pointer the test sets.
struct PointerEngine : testsupport::RecordingEngine {
    float mouseX = 0, mouseY = 0;
    void Input_GetMousePosition(float* x, float* y) override {
        *x = mouseX;
        *y = mouseY;
    }
};

TEST(CursorDrawing, ModeDecidesWhereAndHowLargeTheCursorIsDrawn) {
    struct Case {
        const char* name;
        int32_t mode;
        uint32_t flags;
        bool drawn;
        float left, top, right; // of the drawn quad
    };
    // A 10 x 10 picture with its hot spot in the centre, pointer at (100, 50).
    const Case cases[] = {
        {"AtThePointer", wf::InputRouter::CursorDrawn, 0, true, 95, 45, 105},
        {"OffsetAndSmaller", wf::InputRouter::CursorDrawnOffset, wf::Cursor::DrawnOffset, true,
         116.5f, 61.5f, 123.5f},
        {"OffsetNotAllowed", wf::InputRouter::CursorDrawnOffset, 0, false, 0, 0, 0},
        {"SystemCursor", wf::InputRouter::CursorSystem, wf::Cursor::DrawnOffset, false, 0, 0, 0},
    };
    PointerEngine engine;
    testsupport::RecordingEngine::makeCurrent(&engine);
    {
        wf::CompositeObject root;
        wf::InputRouter router(&engine, &root, nullptr);
        ph::Pointer<pr::Animation> picture = ph::adopt(new pr::Animation(nullptr, 0, 0, 0, 10, 10));
        ph::Pointer<wf::Cursor> cursor = ph::adopt(new wf::Cursor(picture.get()));
        router.setCursor(cursor.get());
        engine.mouseX = 100;
        engine.mouseY = 50;
        router.refreshPointer();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            cursor->setFlags(c.flags);
            router.setCursorMode(c.mode);
            engine.quads.clear();
            router.drawCursor();
            ASSERT_EQ(engine.quads.size(), c.drawn ? 1u : 0u);
            if (c.drawn) {
                EXPECT_FLOAT_EQ(engine.quads[0].v[0].x, c.left);
                EXPECT_FLOAT_EQ(engine.quads[0].v[0].y, c.top);
                EXPECT_FLOAT_EQ(engine.quads[0].v[1].x, c.right);
            }
        }
    }
    testsupport::RecordingEngine::makeCurrent(nullptr);
}

} // namespace

#include "wf/input/Cursor.h"

#include "wf/input/InputRouter.h"

namespace wf {

namespace {

// Where and how large the offset variant is drawn, beside the system cursor.
const float OffsetX = 20.0f;
const float OffsetY = 15.0f;
const float OffsetScale = 0.7f;

} // namespace

void drawCursor(int32_t mode, const Cursor* cursor, ph::Vector<float> at) {
    pr::Animation* picture = cursor ? cursor->picture() : nullptr;
    if (!picture) {
        return;
    }
    if (mode == InputRouter::CursorDrawn) {
        picture->Draw(at.x, at.y, cursor->rotation(), 1.0f, 1.0f);
    } else if (mode == InputRouter::CursorDrawnOffset && (cursor->flags() & Cursor::DrawnOffset)) {
        picture->Draw(at.x + OffsetX, at.y + OffsetY, cursor->rotation(), OffsetScale, OffsetScale);
    }
}

void InputRouter::setCursor(Cursor* value) {
    cursorObject = value;
}

void InputRouter::updateCursor(float dt) {
    if (cursorObject && cursorObject->picture()) {
        cursorObject->picture()->Update(dt);
    }
}

void InputRouter::drawCursor() const {
    wf::drawCursor(cursorModeValue, cursorObject.get(), pointer);
}

} // namespace wf

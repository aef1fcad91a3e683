#include "wf/scene/InputEvent.h"

#include "engine/Engine.h"

namespace wf {

namespace {

float unscale(float value, float scale) {
    return scale != 0.0f ? value / scale : value;
}

int32_t buttonKind(int32_t button, int32_t leftKind, int32_t rightKind) {
    if (button == InputEvent::LeftButton) {
        return leftKind;
    }
    if (button == InputEvent::RightButton) {
        return rightKind;
    }
    return InputEvent::None;
}

} // namespace

int32_t InputEvent::kindOf(const EngineEvent& record) {
    switch (record.type) {
    case EngineEventButtonDown:
        return buttonKind(record.key, LeftButtonDown, RightButtonDown);
    case EngineEventButtonUp:
        return buttonKind(record.key, LeftButtonUp, RightButtonUp);
    case EngineEventMouseMove:
        return MouseMove;
    case EngineEventWheel:
        return Wheel;
    case EngineEventKeyDown:
        return KeyDown;
    case EngineEventKeyUp:
        return KeyUp;
    default:
        return None;
    }
}

InputEvent::InputEvent(const EngineEvent& record, ph::Vector<float> outputScale)
    : position(unscale(record.x, outputScale.x), unscale(record.y, outputScale.y)),
      kind(kindOf(record)), wheel(record.wheel), key(record.key), character(record.chr),
      modifiers(record.flags) {}

} // namespace wf

#pragma once
// One input event in scene units, made from the engine's record for one
// dispatch. Lives on the dispatcher's stack: no handler keeps it after its call.

#include "ph/RefCounter.h"
#include "ph/Vector.h"

#include <cstdint>

struct EngineEvent;

namespace wf {

class InputEvent : public ph::RefCounter {
public:
    enum Kind : int32_t {
        None = 0, // not delivered (the middle button, unknown records)
        LeftButtonDown = 1,
        LeftButtonUp = 2,
        RightButtonDown = 3,
        RightButtonUp = 4,
        MouseMove = 5,
        Wheel = 6,
        KeyDown = 7,
        KeyUp = 8,
    };

    // Button codes of the engine's button records.
    static constexpr int32_t LeftButton = 1;
    static constexpr int32_t RightButton = 2;
    // Bit of `modifiers` for a held Ctrl key.
    static constexpr int32_t CtrlModifier = 2;

    InputEvent() = default;
    explicit InputEvent(int32_t eventKind, int32_t eventKey = 0) : kind(eventKind), key(eventKey) {}
    // The position is the record's, divided per axis by the render context's
    // output scale (a zero factor leaves that axis undivided).
    InputEvent(const EngineEvent& record, ph::Vector<float> outputScale);

    static int32_t kindOf(const EngineEvent& record);

    ph::Vector<float> position;
    int32_t kind = None;
    int32_t wheel = 0;
    int32_t key = 0; // virtual-key code, or the button code for button events
    int32_t character = 0;
    int32_t modifiers = 0;
};

} // namespace wf

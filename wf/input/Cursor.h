#pragma once
// An optional cursor drawn by the application over the scene, at the
// pointer, instead of (or beside) the system's cursor. The input router holds it.

#include "ph/Pointer.h"
#include "ph/RefCounter.h"
#include "ph/Vector.h"
#include "pr/Animation.h"

#include <cstdint>

namespace wf {

class Cursor : public ph::RefCounter {
public:
    enum Flags : uint32_t {
        DrawnOffset = 0x1, // also drawn, smaller and beside the pointer, in the offset mode
    };

    explicit Cursor(pr::Animation* picture) : animation(picture) {}

    pr::Animation* picture() const { return animation.get(); }
    uint32_t flags() const { return flagBits; }
    void setFlags(uint32_t value) { flagBits = value; }
    float rotation() const { return angle; }
    void setRotation(float radians) { angle = radians; }

private:
    uint32_t flagBits = 0;
    ph::Pointer<pr::Animation> animation;
    float angle = 0.0f;
};

// Draws `cursor` for the pointer at `at` as `mode` says (InputRouter::CursorMode):
// at the pointer in full size, or offset and smaller when the cursor allows
// it; nothing in any other mode or without a picture.
void drawCursor(int32_t mode, const Cursor* cursor, ph::Vector<float> at);

} // namespace wf

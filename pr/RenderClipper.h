#pragma once
// A container that clips what it draws to a rectangle. The scene's hit-test
// search reads it to skip subtrees outside the clip; nothing implements it yet.

#include "pr/Rect.h"

#include <cstdint>

namespace pr {

class RenderClipper {
public:
    enum : uint32_t { ClippingEnabled = 0x1 };

    virtual ~RenderClipper() = default;

    uint32_t ClipFlags() const { return flags; }
    bool IsClipping() const { return (flags & ClippingEnabled) != 0; }
    // Left, top, width, height in the container's drawing coordinates.
    const Rect& ClipRect() const { return clip; }

    void SetClipping(bool enabled) {
        flags = enabled ? (flags | ClippingEnabled) : (flags & ~uint32_t(ClippingEnabled));
    }
    void SetClipRect(const Rect& rect) { clip = rect; }

private:
    uint32_t flags = 0;
    Rect clip;
};

} // namespace pr

#pragma once
// Integer rectangles of the rendering layer (clip rectangles, lock areas) and
// the intersection rule of the renderer's clipping. Portable.

#include <cstdint>

namespace pr {

struct Rect {
    int32_t x = 0, y = 0, w = 0, h = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
inline bool operator!=(const Rect& a, const Rect& b) {
    return !(a == b);
}

// A rectangle with zero width and height stands for "no limit": the other one
// is the result. Otherwise the overlap, or (0, 0, 0, 0) when they do not meet.
Rect intersectRects(const Rect& first, const Rect& second);

} // namespace pr

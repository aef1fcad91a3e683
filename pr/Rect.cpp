#include "pr/Rect.h"

#include <algorithm>

namespace pr {

Rect intersectRects(const Rect& first, const Rect& second) {
    if (first.w == 0 && first.h == 0) {
        return second;
    }
    if (second.w == 0 && second.h == 0) {
        return first;
    }
    // 64-bit sums: rectangles near the int32 limits must not wrap.
    int64_t left = std::max(first.x, second.x);
    int64_t top = std::max(first.y, second.y);
    int64_t right = std::min(int64_t(first.x) + first.w, int64_t(second.x) + second.w);
    int64_t bottom = std::min(int64_t(first.y) + first.h, int64_t(second.y) + second.h);
    if (right - left < 0 || bottom - top < 0) {
        return Rect();
    }
    return Rect{int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

} // namespace pr

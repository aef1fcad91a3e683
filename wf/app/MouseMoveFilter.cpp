#include "wf/app/MouseMoveFilter.h"

namespace wf {

bool MouseMoveFilter::accept(int x, int y) {
    if (x == lastX && y == lastY) {
        return false;
    }
    lastX = x;
    lastY = y;
    return true;
}

} // namespace wf

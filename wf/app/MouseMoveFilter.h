#pragma once
// Drops mouse-move messages that do not change the pointer position, so that
// a move event always means the pointer moved. The shell's window procedure
// keeps one for the process; the last position starts at (0, 0), so a first
// move to (0, 0) is dropped too.

namespace wf {

class MouseMoveFilter {
public:
    // True when (x, y) differs from the last accepted position; it then
    // becomes the last position.
    bool accept(int x, int y);

private:
    int lastX = 0;
    int lastY = 0;
};

} // namespace wf

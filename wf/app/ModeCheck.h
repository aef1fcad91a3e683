#pragma once
// The shell's check of the display mode the engine obtained against the size
// the application asked for. Portable so that the arithmetic is tested
// natively; `ApplicationWin32::initialize` applies it.

namespace wf {

struct ScreenSize {
    int width;
    int height;
};

struct Scale {
    float x;
    float y;
};

// When `obtained` differs from `requested`: multiplies `scale` by
// obtained / requested (component-wise, in float), replaces `requested` by
// `obtained` and answers true (drawing must then be scaled). Otherwise leaves
// both alone and answers false.
bool applyObtainedMode(ScreenSize& requested, ScreenSize obtained, Scale& scale);

// The size the scene is laid out in: `obtained` over the drawing scale (the
// size asked for before the mode check), rounded to whole pixels. Drawing is
// scaled back up to `obtained`.
ScreenSize layoutSizeOf(ScreenSize obtained, Scale scale);

// Whether a window of the requested size cannot sit on the desktop: a side
// that reaches or passes the desktop's. A zero desktop side is unknown and
// never refuses.
bool windowTooLarge(ScreenSize requested, ScreenSize desktop);

} // namespace wf

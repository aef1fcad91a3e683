#pragma once
// The launcher's one window as it was designed: position, caption, client size
// and font. MainFormWin32.cpp builds the window from it; the tests compare with it.

namespace launcher {

struct FormDescription {
    int left;
    int top;
    int clientWidth;
    int clientHeight;
    const char* caption;
    const char* fontFace;
    int fontHeight; // character height in pixels, negative as in a logical font
    int pixelsPerInch;
};

inline constexpr FormDescription mainForm = {0, 0, 635, 300, "Brindle Moor", "Tahoma", -11, 96};

} // namespace launcher

#pragma once
// The built-in "SystemFont": its description text and PNG glyph sheet, built
// into the program at build time (resources on Windows).

#include <cstdint>

namespace pr {

struct SystemFontAssets {
    const void* image = nullptr; // PNG, 512 x 512 RGBA
    uint32_t imageSize = 0;
    const char* description = nullptr; // "[BITMAPFONT]" text
    uint32_t descriptionSize = 0;
};

extern const char* const SystemFontName; // "SystemFont"

// False when the program was built without them. The bytes live as long as
// the program.
bool systemFontAssets(SystemFontAssets& assets);

} // namespace pr

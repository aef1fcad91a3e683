#pragma once
// Fonts by name for the whole program. It always holds the built-in
// "SystemFont" and loads any other font on its first request. Created by the
// application's initialisation (after the renderer), destroyed at its end.

#include "pr/Font.h"

#include <map>
#include <string>

namespace pr {

class FontRegistry {
public:
    // Makes "SystemFont" from the built-in description and image (through the
    // current renderer).
    FontRegistry();
    ~FontRegistry(); // releases every font
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    // The font registered under `name` (case-sensitive); otherwise the font
    // file of that name, loaded and registered, even when loading failed (it
    // then has no glyphs). The registry keeps the reference.
    Font* GetFont(const std::string& name);
    // Registers `font` under `name` (adds a reference, replaces an earlier one).
    void Register(const std::string& name, Font* font);
    void Clear();

private:
    std::map<std::string, Font*> fonts; // one reference each
};

// The process-wide registry, set by the application; holds no ownership.
FontRegistry* currentFontRegistry();
void setCurrentFontRegistry(FontRegistry* registry);

} // namespace pr

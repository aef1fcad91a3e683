#include "pr/FontRegistry.h"

#include "pr/Renderer.h"
#include "pr/SystemFont.h"

namespace pr {

namespace {
FontRegistry* current = nullptr;
}

FontRegistry* currentFontRegistry() {
    return current;
}
void setCurrentFontRegistry(FontRegistry* registry) {
    current = registry;
}

FontRegistry::FontRegistry() {
    SystemFontAssets assets;
    if (!systemFontAssets(assets)) {
        return;
    }
    Renderer* renderer = currentRenderer();
    Texture* image = renderer != nullptr
                         ? renderer->CreateTextureFromMemory(assets.image, assets.imageSize, false)
                         : nullptr;
    Font* font =
        new Font(SystemFontName, image, std::string(assets.description, assets.descriptionSize));
    if (image != nullptr) {
        image->release(); // the font holds its own reference
    }
    Register(SystemFontName, font);
    font->release();
}

FontRegistry::~FontRegistry() {
    Clear();
    if (current == this) {
        current = nullptr;
    }
}

Font* FontRegistry::GetFont(const std::string& name) {
    auto found = fonts.find(name);
    if (found != fonts.end()) {
        return found->second;
    }
    Font* font = new Font(name);
    fonts[name] = font; // the creation reference
    return font;
}

void FontRegistry::Register(const std::string& name, Font* font) {
    font->retain();
    auto found = fonts.find(name);
    if (found != fonts.end()) {
        found->second->release();
    }
    fonts[name] = font;
}

void FontRegistry::Clear() {
    std::map<std::string, Font*> held;
    held.swap(fonts);
    for (auto& entry : held) {
        entry.second->release();
    }
}

} // namespace pr

#include "pr/Font.h"

#include "pr/FontDescription.h"
#include "pr/Renderer.h"

#include <cstdarg>
#include <cstdio>

namespace pr {

namespace {

enum : size_t { ImagePathLimit = 255 }; // longer image paths are refused
const unsigned char Replacement = '?';
char printfBuffer[Font::PrintfBufferSize]; // shared by all fonts, one thread

} // namespace

// Turns description lines into the font's texture and glyphs.
class FontLoader : public FontDescriptionVisitor {
public:
    explicit FontLoader(Font& font) : font(font) {}
    bool onBitmap(const std::string& word) override { return font.loadBitmap(word); }
    void onGlyph(const GlyphDefinition& g) override {
        font.addGlyph(g.code, g.x, g.y, g.width, g.height, g.pre, g.post);
    }

private:
    Font& font;
};

Font::Font(const std::string& fileName) : name(fileName), engine(AcquireEngine()) {
    if (engine == nullptr) {
        return;
    }
    uint32_t size = 0;
    void* data = engine->Data_LoadFile(fileName.c_str(), &size);
    if (data == nullptr) {
        return;
    }
    std::string text(static_cast<const char*>(data), size); // zero-terminated copy
    engine->Data_FreeFile(data);
    load(text.c_str());
}

Font::Font(const std::string& name, Texture* texture, const std::string& description)
    : name(name), texture(texture), engine(AcquireEngine()) {
    load(description.c_str());
}

Font::~Font() {
    for (Sprite*& letter : letters) {
        if (letter != nullptr) {
            letter->release();
            letter = nullptr;
        }
    }
    if (engine != nullptr) {
        engine->System_Release();
    }
}

void Font::load(const char* text) {
    FontLoader loader(*this);
    if (!readFontDescription(text, loader) && engine != nullptr) {
        engine->System_WriteLog("Font %s has incorrect format.", name.c_str());
    }
}

bool Font::loadBitmap(const std::string& word) {
    if (!texture.isEmpty()) {
        return true;
    }
    std::string path = bitmapPath(name, word);
    if (path.size() > ImagePathLimit) {
        if (engine != nullptr) {
            engine->System_WriteLog("Font %s: image path too long.", name.c_str());
        }
        return false;
    }
    Renderer* renderer = currentRenderer();
    if (renderer == nullptr) {
        return false;
    }
    texture.adopt(renderer->CreateTextureFromFile(path, false));
    return !texture.isEmpty();
}

void Font::addGlyph(int code, int x, int y, int w, int h, int before, int after) {
    Sprite* glyph = new Sprite(texture.get(), float(x), float(y), float(w), float(h));
    glyph->SetColor(colour);
    glyph->SetZ(z);
    glyph->SetBlendMode(blend);
    if (letters[code] != nullptr) { // a later line for the same code wins
        letters[code]->release();
    }
    letters[code] = glyph;
    pre[code] = float(before);
    post[code] = float(after);
    if (float(h) > height) {
        height = float(h);
    }
}

const Sprite* Font::glyphFor(unsigned char code, unsigned char* used) const {
    *used = letters[code] != nullptr ? code : Replacement;
    return letters[*used];
}

void Font::SetColor(uint32_t value) {
    colour = value;
    for (Sprite* letter : letters) {
        if (letter != nullptr) {
            letter->SetColor(value);
        }
    }
}

void Font::SetZ(float value) {
    z = value;
    for (Sprite* letter : letters) {
        if (letter != nullptr) {
            letter->SetZ(value);
        }
    }
}

void Font::SetBlendMode(int value) {
    blend = value;
    for (Sprite* letter : letters) {
        if (letter != nullptr) {
            letter->SetBlendMode(value);
        }
    }
}

float Font::StringWidth(const char* text) const {
    float width = 0.0f;
    for (const char* c = text ? text : ""; *c != '\0' && *c != '\n'; ++c) {
        unsigned char used;
        const Sprite* glyph = glyphFor(static_cast<unsigned char>(*c), &used);
        if (glyph != nullptr) {
            width += pre[used] + glyph->Width() + post[used] + tracking;
        }
    }
    return width * scale * proportion;
}

float Font::lineStart(float x, int alignment, const char* text) const {
    switch (alignment & AlignMask) {
    case AlignRight:
        return x - StringWidth(text);
    case AlignCentre:
        return x - float(int(StringWidth(text))) * 0.5f;
    default:
        return x;
    }
}

bool Font::Render(float x, float y, int alignment, const char* text) {
    if (text == nullptr) {
        return false;
    }
    float cx = lineStart(x, alignment, text);
    const float advanceScale = scale * proportion;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            y += float(int(height * scale * spacing));
            cx = lineStart(x, alignment, c + 1);
            continue;
        }
        unsigned char used;
        const Sprite* found = glyphFor(static_cast<unsigned char>(*c), &used);
        if (found == nullptr) {
            continue;
        }
        Sprite* glyph = letters[used];
        const float px = cx + pre[used] * advanceScale;
        glyph->Draw(px, y, rotation, advanceScale, scale);
        cx = px + (glyph->Width() + post[used] + tracking) * advanceScale;
    }
    return false;
}

void Font::Printf(float x, float y, int alignment, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(printfBuffer, sizeof printfBuffer, format, arguments);
    va_end(arguments);
    Render(x, y, alignment, printfBuffer);
}

} // namespace pr

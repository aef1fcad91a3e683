#pragma once
// A bitmap font: glyphs cut out of one texture, each a sprite with a bearing
// before and after it, described by a "[BITMAPFONT]" text. The console prints
// through the registry's "SystemFont".

#include "ph/Pointer.h"
#include "ph/RefCounter.h"
#include "pr/Sprite.h"
#include "pr/Texture.h"

#include <cstdint>
#include <string>

namespace pr {

class FontLoader;

// Alignment of Render and Printf; only the two low bits are read.
enum : int { AlignLeft = 0, AlignRight = 1, AlignCentre = 2, AlignMask = 3 };

class Font : public ph::RefCounter {
public:
    enum : int { GlyphCount = 256 };
    enum : int { PrintfBufferSize = 1024 }; // shared by all fonts; longer texts are cut

    // Reads the description with the engine's Data_LoadFile and the image named
    // by its "Bitmap" line (beside the description) through the current
    // renderer. A font that failed to load has no glyphs.
    explicit Font(const std::string& fileName);
    // The same rules on `description`, with `texture` already set ("Bitmap"
    // lines are ignored). `name` is only used in log lines.
    Font(const std::string& name, Texture* texture, const std::string& description);
    ~Font() override;

    // Draws `text` from (x, y); line feeds start new lines, each aligned on
    // its own. Characters without a glyph are drawn as "?". Always false.
    bool Render(float x, float y, int alignment, const char* text);
    void Printf(float x, float y, int alignment, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 5, 6)))
#endif
        ;
    // Width of the text up to its first line feed.
    float StringWidth(const char* text) const;

    // Colour of every glyph, now and for glyphs read later.
    void SetColor(uint32_t colour);
    uint32_t GetColor() const {
        return colour;
    }
    void SetZ(float z);
    void SetBlendMode(int blend);

    float Height() const {
        return height;
    } // tallest glyph, texture pixels
    float GetScale() const {
        return scale;
    }
    void SetScale(float value) {
        scale = value;
    }
    float GetProportion() const {
        return proportion;
    }
    void SetProportion(float value) {
        proportion = value;
    }
    float GetRotation() const {
        return rotation;
    }
    void SetRotation(float radians) {
        rotation = radians;
    }
    float GetTracking() const {
        return tracking;
    }
    void SetTracking(float value) {
        tracking = value;
    }
    float GetSpacing() const {
        return spacing;
    }
    void SetSpacing(float value) {
        spacing = value;
    }

    // The glyph of a character code, null when the font has none.
    const Sprite* Letter(unsigned char code) const {
        return letters[code];
    }
    float Pre(unsigned char code) const {
        return pre[code];
    }
    float Post(unsigned char code) const {
        return post[code];
    }
    Texture* GetTexture() const {
        return texture.get();
    }

private:
    friend class FontLoader;
    void load(const char* text);
    bool loadBitmap(const std::string& word);
    void addGlyph(int code, int x, int y, int w, int h, int before, int after);
    const Sprite* glyphFor(unsigned char code, unsigned char* used) const;
    float lineStart(float x, int alignment, const char* text) const;

    std::string name;
    ph::Pointer<Texture> texture;
    Sprite* letters[GlyphCount] = {}; // owned
    float pre[GlyphCount] = {};
    float post[GlyphCount] = {};
    float height = 0.0f;
    float scale = 1.0f;
    float proportion = 1.0f;
    float rotation = 0.0f;
    float tracking = 0.0f;
    float spacing = 1.0f;
    uint32_t colour = Sprite::DefaultColour;
    float z = Sprite::DefaultZ;
    int blend = EngineBlendDefault;
    Engine* engine; // one reference for the font's lifetime
};

} // namespace pr

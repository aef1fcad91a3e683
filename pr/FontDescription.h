#pragma once
// The "[BITMAPFONT]" description format: a header line, "Bitmap = name" and
// "Char=" lines. Parsing only; Font turns the lines into glyphs. Portable.

#include <cstddef>
#include <string>

namespace pr {

struct GlyphDefinition {
    int code;
    int x, y, width, height; // texture pixels
    int pre, post;
};

class FontDescriptionVisitor {
public:
    virtual ~FontDescriptionVisitor() = default;
    // The word of a "Bitmap" line; false stops reading.
    virtual bool onBitmap(const std::string& word) = 0;
    virtual void onGlyph(const GlyphDefinition& glyph) = 0;
};

enum : size_t { FontLineLimit = 255 }; // characters kept of one line; the rest is cut

// Walks `text` line by line. False when the first line is not exactly
// "[BITMAPFONT]" (nothing is visited then).
bool readFontDescription(const char* text, FontDescriptionVisitor& visitor);

// One "Char" line; false when it defines no glyph (no "=", a code above 255,
// fewer than six numbers).
bool parseCharLine(const char* line, GlyphDefinition& glyph);

// The image path of a "Bitmap" word: the description's path with its file
// name replaced by the word (the word alone without a folder).
std::string bitmapPath(const std::string& descriptionPath, const std::string& word);

} // namespace pr

#include "pr/FontDescription.h"

#include <cstdio>
#include <cstring>

namespace pr {

namespace {

const char* const Header = "[BITMAPFONT]";

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Copies the line at `text` (at most FontLineLimit characters; the rest of a
// longer line is dropped) and returns where the next line starts.
const char* takeLine(const char* text, char (&line)[FontLineLimit + 1]) {
    size_t length = 0;
    while (*text != '\0' && !isLineEnd(*text)) {
        if (length < FontLineLimit) {
            line[length++] = *text;
        }
        ++text;
    }
    line[length] = '\0';
    while (isLineEnd(*text)) {
        ++text;
    }
    return text;
}

bool startsWith(const char* line, const char* word) {
    return std::strncmp(line, word, std::strlen(word)) == 0;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

bool parseCharLine(const char* line, GlyphDefinition& glyph) {
    const char* p = std::strchr(line, '=');
    if (p == nullptr) {
        return false;
    }
    ++p;
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    int code = 0;
    if (*p == '"') {
        // The character and its closing quote must both be on the line.
        if (p[1] == '\0' || p[2] == '\0') {
            return false;
        }
        code = static_cast<unsigned char>(p[1]);
        p += 3;
    } else {
        for (int digit; (digit = hexDigit(*p)) >= 0; ++p) {
            code = code > 0xFF ? code : code * 16 + digit; // stays above 255 once there
        }
        if (code > 0xFF) {
            return false;
        }
    }
    GlyphDefinition read = {code, 0, 0, 0, 0, 0, 0};
    if (std::sscanf(p, " , %d , %d , %d , %d , %d , %d", &read.x, &read.y, &read.width,
                    &read.height, &read.pre, &read.post) != 6) {
        return false;
    }
    glyph = read;
    return true;
}

bool readFontDescription(const char* text, FontDescriptionVisitor& visitor) {
    char line[FontLineLimit + 1];
    text = takeLine(text, line);
    if (std::strcmp(line, Header) != 0) {
        return false;
    }
    while (*text != '\0') {
        text = takeLine(text, line);
        if (startsWith(line, "Bitmap")) {
            char word[FontLineLimit + 1] = {};
            if (std::sscanf(line, "Bitmap = %255s", word) == 1 && !visitor.onBitmap(word)) {
                break;
            }
        } else if (startsWith(line, "Char")) {
            GlyphDefinition glyph;
            if (parseCharLine(line, glyph)) {
                visitor.onGlyph(glyph);
            }
        }
    }
    return true;
}

std::string bitmapPath(const std::string& descriptionPath, const std::string& word) {
    size_t separator = descriptionPath.find_last_of('\\');
    if (separator == std::string::npos) {
        separator = descriptionPath.find_last_of('/');
    }
    if (separator == std::string::npos) {
        return word;
    }
    return descriptionPath.substr(0, separator + 1) + word;
}

} // namespace pr

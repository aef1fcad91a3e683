// Builds the built-in "SystemFont": a 512 x 512 RGBA glyph sheet (PNG) and
// its "[BITMAPFONT]" description for the codes 32 to 255 read as
// Windows-1252, rasterised from a TrueType font. Runs on the build machine;
// its outputs are build products that the programs embed.
//
//   systemfont_tool FONT.ttf OUTPUT_FOLDER
// writes systemfont.png, systemfont.txt and SystemFontData.cpp (the same
// bytes as C++ arrays, for native builds).

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const int SheetSize = 512;
const int CellHeight = 32;
const int CellGap = 1;
const int MinWidth = 10;
const int MaxWidth = 32;
const int Bearing = -1;       // pre and post of every glyph
const float PixelHeight = 30; // ascent to descent
const int FirstCode = 32, LastCode = 255;

// Windows-1252 0x80..0x9F; 0 where the code page leaves a gap.
const int cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int codePoint(int code) {
    if (code == 127) {
        return 0; // DEL draws as a blank cell
    }
    if (code >= 0x80 && code < 0xA0) {
        return cp1252High[code - 0x80];
    }
    return code;
}

struct Cell {
    int code, x, y, width;
};

class Sheet {
public:
    explicit Sheet(const stbtt_fontinfo& font) : font(font), pixels(SheetSize * SheetSize * 4, 0) {
        scale = stbtt_ScaleForPixelHeight(&font, PixelHeight);
        int ascent = 0, descent = 0, gap = 0;
        stbtt_GetFontVMetrics(&font, &ascent, &descent, &gap);
        baseline = int(std::lround(ascent * scale)) + (CellHeight - int(PixelHeight)) / 2;
        // White everywhere; the glyph's coverage goes into alpha, so vertex colours tint it.
        for (size_t i = 0; i < pixels.size(); i += 4) {
            pixels[i] = pixels[i + 1] = pixels[i + 2] = 255;
        }
    }

    bool add(int code) {
        const int point = codePoint(code);
        int advance = 0, leftBearing = 0;
        if (point != 0) {
            stbtt_GetCodepointHMetrics(&font, point, &advance, &leftBearing);
        }
        const int fitted = int(std::lround(advance * scale)) - 2 * Bearing;
        const int width = std::clamp(fitted, MinWidth, MaxWidth);
        if (x + width > SheetSize) {
            x = CellGap;
            y += CellHeight + CellGap;
        }
        if (y + CellHeight > SheetSize) {
            return false;
        }
        if (point != 0) {
            // Glyphs wider than the widest cell are squeezed to fit it.
            const float squeeze = fitted > MaxWidth ? float(MaxWidth) / float(fitted) : 1.0f;
            // The pen starts one pixel into the cell (pre -1); narrow glyphs sit centred.
            draw(point, x - Bearing + (width - std::min(fitted, MaxWidth)) / 2, squeeze);
        }
        cells.push_back({code, x, y, width});
        x += width + CellGap;
        return true;
    }

    const std::vector<Cell>& allCells() const { return cells; }
    const std::vector<unsigned char>& rgba() const { return pixels; }

private:
    void draw(int point, int penX, float squeeze) {
        int x0, y0, x1, y1;
        const float scaleX = scale * squeeze;
        stbtt_GetCodepointBitmapBox(&font, point, scaleX, scale, &x0, &y0, &x1, &y1);
        const int w = x1 - x0, h = y1 - y0;
        if (w <= 0 || h <= 0) {
            return;
        }
        std::vector<unsigned char> coverage(size_t(w) * h);
        stbtt_MakeCodepointBitmap(&font, coverage.data(), w, h, w, scaleX, scale, point);
        for (int row = 0; row < h; ++row) {
            const int sy = y + baseline + y0 + row;
            if (sy < y || sy >= y + CellHeight) {
                continue;
            }
            for (int column = 0; column < w; ++column) {
                const int sx = penX + x0 + column;
                if (sx < 0 || sx >= SheetSize) {
                    continue;
                }
                unsigned char& alpha = pixels[(size_t(sy) * SheetSize + sx) * 4 + 3];
                alpha = std::max(alpha, coverage[size_t(row) * w + column]);
            }
        }
    }

    const stbtt_fontinfo& font;
    std::vector<unsigned char> pixels;
    std::vector<Cell> cells;
    float scale = 1.0f;
    int baseline = 0;
    int x = CellGap, y = CellGap;
};

std::string description(const std::vector<Cell>& cells) {
    std::string text = "[BITMAPFONT]\r\n";
    char line[96];
    for (const Cell& cell : cells) {
        if (cell.code < 127) {
            std::snprintf(line, sizeof line, "Char=\"%c\",%d,%d,%d,%d,%d,%d\r\n", cell.code, cell.x,
                          cell.y, cell.width, CellHeight, Bearing, Bearing);
        } else {
            std::snprintf(line, sizeof line, "Char=%X,%d,%d,%d,%d,%d,%d\r\n", cell.code, cell.x,
                          cell.y, cell.width, CellHeight, Bearing, Bearing);
        }
        text += line;
    }
    return text;
}

void appendArray(std::string& source, const char* type, const char* name, const std::string& bytes,
                 bool terminate) {
    source += std::string("extern const ") + type + " " + name + "[];\n";
    source += std::string("const ") + type + " " + name + "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        source += (i % 16 == 0 ? "\n    " : " ") +
                  std::to_string(int(static_cast<unsigned char>(bytes[i]))) + ",";
    }
    source += terminate ? "\n    0};\n" : "\n};\n";
    source += std::string("extern const uint32_t ") + name + "Size;\n";
    source +=
        std::string("const uint32_t ") + name + "Size = " + std::to_string(bytes.size()) + ";\n\n";
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

void collectPng(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FONT.ttf OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string ttf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    stbtt_fontinfo font;
    if (ttf.empty() ||
        !stbtt_InitFont(&font, reinterpret_cast<const unsigned char*>(ttf.data()), 0)) {
        std::fprintf(stderr, "%s: cannot read the font %s\n", argv[0], argv[1]);
        return 1;
    }
    Sheet sheet(font);
    for (int code = FirstCode; code <= LastCode; ++code) {
        if (!sheet.add(code)) {
            std::fprintf(stderr, "%s: the glyphs do not fit the sheet\n", argv[0]);
            return 1;
        }
    }
    std::string png;
    stbi_write_png_compression_level = 9;
    stbi_write_png_to_func(collectPng, &png, SheetSize, SheetSize, 4, sheet.rgba().data(),
                           SheetSize * 4);
    const std::string text = description(sheet.allCells());

    std::string source =
        "// Generated by the system font tool; do not edit.\n#include <cstdint>\n\n"
        "namespace pr {\n\n";
    appendArray(source, "unsigned char", "systemFontImage", png, false);
    appendArray(source, "char", "systemFontDescription", text, true);
    source += "} // namespace pr\n";

    const std::string folder = std::string(argv[2]) + "/";
    if (png.empty() || !writeFile(folder + "systemfont.png", png) ||
        !writeFile(folder + "systemfont.txt", text) ||
        !writeFile(folder + "SystemFontData.cpp", source)) {
        std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}

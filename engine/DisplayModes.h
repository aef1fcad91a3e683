#pragma once
// Back-buffer formats as the engine ranks and names them, and the choice of
// the full-screen mode from the adapter's mode list. Formats are the numeric
// values of the Direct3D 8 format enumeration.

#include <cstddef>
#include <cstdint>

enum : uint32_t {
    DisplayFormatA8R8G8B8 = 21,
    DisplayFormatX8R8G8B8 = 22,
    DisplayFormatR5G6B5 = 23,
    DisplayFormatX1R5G5B5 = 24,
    DisplayFormatA1R5G5B5 = 25,
};

struct DisplayMode {
    int width;
    int height;
    uint32_t format;
};

// 1 R5G6B5, 2 X1R5G5B5, 3 A1R5G5B5, 4 X8R8G8B8, 5 A8R8G8B8, 0 anything else.
int displayFormatRank(uint32_t format);
// "R5G6B5" ... "A8R8G8B8", "UNKNOWN" for the rest.
const char* displayFormatName(uint32_t format);

// Picks the full-screen format for the requested `width` x `height`. Without a
// mode of exactly that size the nearest listed size replaces the request (a
// later mode wins a tie). At `depth` 16, 32-bit formats are never taken.
// Answers the best format, 0 when none fits.
uint32_t chooseFullScreenMode(const DisplayMode* modes, size_t count, int& width, int& height,
                              int depth);

#include "engine/DisplayModes.h"

int displayFormatRank(uint32_t format) {
    switch (format) {
    case DisplayFormatR5G6B5:
        return 1;
    case DisplayFormatX1R5G5B5:
        return 2;
    case DisplayFormatA1R5G5B5:
        return 3;
    case DisplayFormatX8R8G8B8:
        return 4;
    case DisplayFormatA8R8G8B8:
        return 5;
    default:
        return 0;
    }
}

const char* displayFormatName(uint32_t format) {
    static const char* const names[] = {"UNKNOWN",  "R5G6B5",   "X1R5G5B5",
                                        "A1R5G5B5", "X8R8G8B8", "A8R8G8B8"};
    return names[displayFormatRank(format)];
}

namespace {

bool allowedAtDepth(uint32_t format, int depth) {
    return !(depth == 16 && displayFormatRank(format) > 3);
}

float squaredDistance(int width, int height, int toWidth, int toHeight) {
    const float dx = static_cast<float>(width - toWidth);
    const float dy = static_cast<float>(height - toHeight);
    return dx * dx + dy * dy;
}

} // namespace

uint32_t chooseFullScreenMode(const DisplayMode* modes, size_t count, int& width, int& height,
                              int depth) {
    uint32_t best = 0;
    bool exactSize = false;
    for (size_t i = 0; i < count; ++i) {
        const DisplayMode& mode = modes[i];
        if (mode.width != width || mode.height != height) {
            continue;
        }
        exactSize = true;
        if (!allowedAtDepth(mode.format, depth)) {
            continue;
        }
        if (displayFormatRank(mode.format) > displayFormatRank(best)) {
            best = mode.format;
        }
    }
    if (exactSize) {
        return best;
    }

    const int wantedWidth = width;
    const int wantedHeight = height;
    width = 320;
    height = 320;
    for (size_t i = 0; i < count; ++i) {
        const DisplayMode& mode = modes[i];
        const float current = squaredDistance(width, height, wantedWidth, wantedHeight);
        const float candidate = squaredDistance(mode.width, mode.height, wantedWidth, wantedHeight);
        if (i != 0 && candidate > current && current != 0.0f) {
            continue;
        }
        width = mode.width;
        height = mode.height;
        if (allowedAtDepth(mode.format, depth) &&
            displayFormatRank(mode.format) >= displayFormatRank(best)) {
            best = mode.format;
        }
    }
    return best;
}

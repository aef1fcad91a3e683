#include "screensaver/MoviePlacement.h"

namespace screensaver {

namespace {

float stretch(int screen, int picture) {
    return picture != 0 ? static_cast<float>(screen) / static_cast<float>(picture) : 1.0f;
}

} // namespace

MoviePlacement placeMovie(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
    MoviePlacement placement;
    placement.x = static_cast<float>(screenWidth / 2);
    placement.y = static_cast<float>(screenHeight / 2);
    placement.scaleX = stretch(screenWidth, pictureWidth);
    placement.scaleY = stretch(screenHeight, pictureHeight);
    return placement;
}

} // namespace screensaver

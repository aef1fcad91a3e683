#include "screensaver/MoviePlacement.h"

namespace screensaver {

namespace {

float stretch(int screen, float picture) {
    return picture != 0.0f ? static_cast<float>(screen) / picture : 1.0f;
}

} // namespace

MoviePlacement placeMovie(int screenWidth, int screenHeight, float pictureWidth,
                          float pictureHeight) {
    MoviePlacement placement;
    placement.x = static_cast<float>(screenWidth / 2);
    placement.y = static_cast<float>(screenHeight / 2);
    placement.scaleX = stretch(screenWidth, pictureWidth);
    placement.scaleY = stretch(screenHeight, pictureHeight);
    return placement;
}

} // namespace screensaver

#pragma once
// Where the screensaver puts the movie: centred on the screen and stretched
// to cover it exactly (the aspect ratio is not kept). Used by VideoPlayerApp.

namespace screensaver {

struct MoviePlacement {
    float x, y;           // the picture's centre
    float scaleX, scaleY; // screen size over picture size
};

// Position (W / 2, H / 2), halves truncated in integers before conversion;
// scale (W / width, H / height) in float. A picture side of 0 keeps scale 1.
MoviePlacement placeMovie(int screenWidth, int screenHeight, float pictureWidth,
                          float pictureHeight);

} // namespace screensaver

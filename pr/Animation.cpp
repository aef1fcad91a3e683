#include "pr/Animation.h"

namespace pr {

Animation::Animation(Texture* texture, float framesPerSecond, float x, float y, float width,
                     float height)
    : Sprite(texture, x, y, width, height),
      secondsPerFrame(framesPerSecond != 0.0f ? 1.0f / framesPerSecond : 1.0f) {
    SetHotSpot(width / 2.0f, height / 2.0f);
}

void Animation::Update(float elapsedSeconds) {
    if (!playing || frameCount <= 1) {
        return;
    }
    sinceLastFrame += elapsedSeconds;
}

} // namespace pr

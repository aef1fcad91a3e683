#include "pr/Animation.h"

namespace pr {

Animation::Animation(Texture* texture, float framesPerSecond, float x, float y, float width,
                     float height)
    : Sprite(texture, x, y, width, height),
      secondsPerFrame(framesPerSecond != 0.0f ? 1.0f / framesPerSecond : 1.0f) {
    SetHotSpot(width / 2.0f, height / 2.0f);
}

void Animation::Update(float) {
    // Nothing in this program starts an animation, and one frame has nothing
    // to step to: a stopped animation stays on its first frame.
}

} // namespace pr

#pragma once
// A sprite with playback state and its hot spot in the centre. The movie
// element carries its picture in one, the sprite element keeps one.

#include "pr/Sprite.h"

namespace pr {

class Animation : public Sprite {
public:
    // Frames per second 0 means one second per frame.
    Animation(Texture* texture, float framesPerSecond, float x, float y, float width, float height);

    // Called every frame by its element. Animations here never play (nothing
    // starts one), so this leaves the animation on its first frame.
    void Update(float elapsedSeconds);

    bool IsPlaying() const { return playing; }
    float SecondsPerFrame() const { return secondsPerFrame; }
    int FrameCount() const { return frameCount; }
    int CurrentFrame() const { return currentFrame; }

private:
    bool playing = false;
    float secondsPerFrame;
    int frameCount = 1;
    int currentFrame = 0;
};

} // namespace pr

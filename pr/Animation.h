#pragma once
// A sprite with playback state and its hot spot in the centre. The movie
// element carries its picture in one, the sprite element keeps one.

#include "pr/Sprite.h"

namespace pr {

class Animation : public Sprite {
public:
    // Frames per second 0 means one second per frame.
    Animation(Texture* texture, float framesPerSecond, float x, float y, float width, float height);

    // Advances a playing animation. Nothing starts one in this program, and an
    // animation of one frame has nothing to step: a stopped one stays as it is.
    void Update(float elapsedSeconds);

    bool IsPlaying() const { return playing; }
    float SecondsPerFrame() const { return secondsPerFrame; }
    int FrameCount() const { return frameCount; }
    int CurrentFrame() const { return currentFrame; }

private:
    bool playing = false;
    float secondsPerFrame;
    float sinceLastFrame = 0.0f;
    int frameCount = 1;
    int currentFrame = 0;
};

} // namespace pr

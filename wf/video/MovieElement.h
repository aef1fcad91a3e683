#pragma once
// The scene element that plays a movie: a sprite element whose picture is a
// video texture refreshed from a Theora clip as its play clock advances,
// looping for as long as it lives. The screensaver shows one.

#include "wf/scene/SpriteElement.h"
#include "wf/video/VideoClip.h"

#include "ph/Pointer.h"
#include "pr/VideoTexture.h"

#include <string>

namespace ph {
class IInputStream;
}

namespace wf {

class MovieElement : public SpriteElement {
public:
    MovieElement();
    ~MovieElement() override;

    // Opens the movie at `path`, relative to the program folder, and starts
    // playing it. Acts once: on a playing element it only records the path.
    void open(const std::string& path);
    void close();

    // Advances the play clock (wrapping at most once per call) and uploads
    // the clip's frame when it has a new one. Never finishes.
    bool update(float dt) override;
    void drawSelf() override;

    bool isOpened() const { return opened; }
    const std::string& moviePath() const { return path; }
    float playTime() const { return clock; }
    VideoClip* clip() const { return movie.get(); }
    pr::VideoTexture* texture() const { return picture.get(); }

protected:
    // The clip for an opened file, with one reference for the caller.
    // Replaceable so that tests can script the clip's timing.
    virtual VideoClip* makeClip(ph::IInputStream* input);

private:
    void makePicture(VideoSize size);
    // Words the texture reads per upload; a shorter frame is never uploaded.
    uint32_t pictureWords() const;

    ph::Pointer<pr::VideoTexture> picture;
    bool opened = false;
    std::string path;
    float clock = 0.0f; // seconds played in the current pass
    ph::Pointer<VideoClip> movie;
};

} // namespace wf

#pragma once
// A texture that takes decoded video frames. The movie element uploads each
// new frame through it; every texture the renderer makes is one.

#include "pr/Texture.h"

#include <cstdint>

namespace pr {

class VideoTexture : public Texture {
public:
    // `words`: the frame's packed pixels (byte 0 Cr, 1 Cb, 2 Y), row after row
    // without gaps, PictureWidth() x PictureHeight() of them. Converted to
    // B G R in the top-left ImageWidth() x ImageHeight() area; alpha kept.
    virtual void UploadFrame(const uint32_t* words) = 0;

    // The frame size UploadFrame reads: the size asked for at creation. The
    // image is smaller only when the device could not make a texture that
    // large; frames are then scaled down to fit.
    int PictureWidth() const { return pictureWidth; }
    int PictureHeight() const { return pictureHeight; }

protected:
    void SetPictureSize(int width, int height) {
        pictureWidth = width;
        pictureHeight = height;
    }

private:
    int pictureWidth = 0, pictureHeight = 0;
};

} // namespace pr

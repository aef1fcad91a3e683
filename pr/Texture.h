#pragma once
// The rendering layer's reference-counted texture: an image on the graphics
// device, its own size and the size of the surface the device allocated.
// Shared by sprites, fonts and the movie element; made by the renderer.

#include "engine/Engine.h"
#include "ph/RefCounter.h"
#include "pr/Rect.h"

#include <cstdint>

namespace pr {

// Lock modes: read-only, or reading and writing (anything but LockReadOnly).
enum : int { LockReadOnly = 1, LockReadWrite = 2 };

class Texture : public ph::RefCounter {
public:
    // What engine quads carry: the device's own texture, null if none.
    virtual EngineTexture NativeHandle() = 0;
    virtual EngineTexture NativeHandle2() = 0; // the same, kept for the interface's order
    // Pixels of level 0 (32-bit, B G R A in memory), `rect` or the whole level
    // when its w or h is 0; rows are Pitch() bytes apart. Null for formats
    // other than A8R8G8B8 and X8R8G8B8 or a refused lock. Valid until Unlock.
    virtual uint32_t* Lock(const Rect& rect, int mode) = 0;
    virtual void Unlock() = 0;
    // Whether the pixel's alpha is at least `threshold`; false when it cannot be read.
    virtual bool IsOpaqueAt(int x, int y, int threshold) = 0;
    // Binds the texture to stage 0 of its device.
    virtual void Bind() = 0;
    virtual void Reserved7() {}
    virtual void Reserved8(int) {}

    // The source image's size (or the requested size of a blank texture).
    int ImageWidth() const { return imageWidth; }
    int ImageHeight() const { return imageHeight; }
    // Level 0 of the device texture; at least the image size.
    int SurfaceWidth() const { return surfaceWidth; }
    int SurfaceHeight() const { return surfaceHeight; }
    bool IsLocked() const { return locked; }
    // Bytes from one row to the next of the last lock.
    int32_t Pitch() const { return pitch; }

protected:
    Texture() = default;
    void SetImageSize(int width, int height) {
        imageWidth = width;
        imageHeight = height;
    }
    void SetSurfaceSize(int width, int height) {
        surfaceWidth = width;
        surfaceHeight = height;
    }
    void SetLocked(bool isLocked, int32_t rowPitch) {
        locked = isLocked;
        pitch = rowPitch;
    }

private:
    int imageWidth = 0, imageHeight = 0;
    int surfaceWidth = 0, surfaceHeight = 0;
    bool locked = false;
    int32_t pitch = 0;
};

} // namespace pr

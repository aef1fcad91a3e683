#include "wf/video/MovieElement.h"

#include "wf/video/TheoraVideoClip.h"

#include "engine/Engine.h"
#include "ph/FileSystem.h"
#include "ph/IInputStream.h"
#include "ph/Log.h"
#include "pr/Animation.h"
#include "pr/Renderer.h"

namespace wf {

namespace {

const int32_t LogError = 0;
const int32_t LogWarning = 1;
// The animation only carries the picture's quad; it is never stepped.
const float StillFramesPerSecond = 0.0f;

} // namespace

MovieElement::MovieElement() {
    // A hit test never asks the video texture for its pixels.
    setSpriteFlags(spriteFlags() | HitByShape);
}

MovieElement::~MovieElement() {
    close();
}

VideoClip* MovieElement::makeClip(ph::IInputStream* input) {
    return new TheoraVideoClip(input);
}

void MovieElement::open(const std::string& moviePathToOpen) {
    path = moviePathToOpen;
    if (opened) {
        return;
    }
    ph::IInputStream* input = ph::FileSystem::instance().openForReading(path, false);
    if (!input) {
        PH_LOG(LogWarning) << "Can't open movie file: " << path;
        return;
    }
    movie.adopt(makeClip(input));
    input->release(); // the clip keeps its own reference
    if (!movie || !movie->isValid()) {
        PH_LOG(LogError) << "Theora stream not found in file: " << path;
        movie.reset();
        return;
    }
    makePicture(movie->size());
    clock = 0.0f;
    opened = true;
}

void MovieElement::makePicture(VideoSize size) {
    // White until the first frame arrives. Without a renderer or a texture
    // the movie still plays; it only draws nothing.
    pr::Renderer* renderer = pr::currentRenderer();
    picture.adopt(renderer ? renderer->CreateWhiteTexture(size.width, size.height) : nullptr);
    // A device that cannot make a texture as large as the picture gets a
    // smaller one, into which the upload scales the picture: show all of it.
    const int width = picture ? picture->ImageWidth() : size.width;
    const int height = picture ? picture->ImageHeight() : size.height;
    pr::Animation* frame = new pr::Animation(picture.get(), StillFramesPerSecond, 0.0f, 0.0f,
                                             static_cast<float>(width), static_cast<float>(height));
    setAnimation(frame);
    frame->release();
}

void MovieElement::close() {
    if (!opened) {
        return;
    }
    picture.reset();
    movie.reset();
    opened = false;
}

bool MovieElement::update(float dt) {
    if (!opened) {
        return true;
    }
    clock += dt;
    const float length = movie->duration();
    if (length > 0.0f && length < clock) {
        clock -= length; // once: the clip wraps any excess itself
    }
    ph::Pointer<ph::Data<unsigned int>> frame = movie->frameAt(clock);
    if (frame && picture && frame->hasElements() && frame->count >= pictureWords()) {
        picture->UploadFrame(frame->elements);
    }
    return true;
}

uint32_t MovieElement::pictureWords() const {
    return static_cast<uint32_t>(picture->PictureWidth()) *
           static_cast<uint32_t>(picture->PictureHeight());
}

void MovieElement::drawSelf() {
    EngineQuad quad;
    if (!picture || !makeQuad(&quad)) {
        return;
    }
    Engine* engine = AcquireEngine();
    if (engine) {
        engine->Gfx_DrawQuad(&quad, 0);
        engine->System_Release();
    }
}

} // namespace wf

// Arbitrary bytes as a movie file: open a clip on them through a memory
// stream and play it like the movie element, with a few hostile play times.
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include "ph/MemoryReader.h"
#include "ph/Pointer.h"
#include "wf/video/TheoraVideoClip.h"

#include <cmath>
#include <limits>

namespace {

// Small enough that huge pictures are refused before the decoder allocates.
constexpr size_t fuzzBudget = size_t(4) << 20;

uint32_t touchFrame(const ph::Pointer<ph::Data<unsigned int>>& frame, uint32_t expectedWords) {
    if (!frame) {
        return 0;
    }
    if (!frame->hasElements() || frame->count != expectedWords) {
        __builtin_trap(); // a frame is always whole
    }
    uint32_t sum = 0;
    for (uint32_t i = 0; i < frame->count; ++i) {
        sum += frame->elements[i];
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ph::Pointer<ph::Data<char>> bytes = fuzzInputData(data, size, size_t(1) << 24);
    if (!bytes) {
        return 0;
    }
    ph::Pointer<ph::MemoryReader> stream = ph::adopt(new ph::MemoryReader(bytes.get()));
    ph::Pointer<wf::TheoraVideoClip> clip =
        ph::adopt(new wf::TheoraVideoClip(stream.get(), fuzzBudget));
    if (!clip->isValid()) {
        if (clip->frameAt(1.0f)) {
            __builtin_trap();
        }
        return 0;
    }
    wf::VideoSize picture = clip->size();
    uint32_t words = uint32_t(picture.width) * uint32_t(picture.height);
    // Half of the inputs play within a budget of a few frames, so that frames
    // are dropped and the stream is decoded again on every pass.
    if (size % 2 == 1) {
        clip->setFrameBudget(size_t(words) * 4 * 6);
    }

    volatile uint32_t sink = 0;
    float playTime = 0.0f;
    float step = 0.013f + float(size % 7) * 0.011f;
    for (int call = 0; call < 400; ++call) {
        playTime += step;
        float length = clip->duration();
        if (length > 0.0f && length < playTime) {
            playTime -= length;
        }
        sink = sink + touchFrame(clip->frameAt(playTime), words);
    }
    const float odd[] = {0.0f,
                         -0.5f,
                         1e30f,
                         -1e30f,
                         std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN(),
                         0.3f,
                         2.0f * clip->duration()};
    for (float t : odd) {
        sink = sink + touchFrame(clip->frameAt(t), words);
    }
    return 0;
}

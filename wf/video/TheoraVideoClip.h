#pragma once
// VideoClip for an Ogg file carrying Theora video: reads the file through an
// input stream, decodes a little ahead of playback and keeps decoded frames
// within a memory budget. Created by the movie element, one per open movie.

#include "ph/IInputStream.h"
#include "ph/Pointer.h"
#include "wf/video/OggStream.h"
#include "wf/video/PicturePacker.h"
#include "wf/video/VideoClip.h"
#include "wf/video/VideoFrame.h"

#include <ogg/ogg.h>
#include <theora/theoradec.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

namespace wf {

class TheoraVideoClip : public VideoClip {
public:
    // A screensaver needs only a few frames decoded ahead: 24 MiB holds six
    // 720p frames (three at 1080p), and a budget that small keeps reusing the
    // same buffers instead of touching fresh memory for every frame, which
    // also decodes several times faster.
    static constexpr size_t defaultFrameBudget = size_t(24) << 20;

    // Retains `input`, finds the first Theora stream, reads its headers and
    // decodes the first frames. A stream whose single frame exceeds
    // `frameBudget` is read but never decoded.
    explicit TheoraVideoClip(ph::IInputStream* input, size_t frameBudget = defaultFrameBudget);
    ~TheoraVideoClip() override;

    bool isValid() const override { return theoraStream != nullptr; }
    VideoSize size() const override { return VideoSize{width, height}; }
    bool isFinished() const override { return finishedOnce; }
    float duration() const override { return clipDuration; }
    ph::Pointer<ph::Data<unsigned int>> frameAt(float playTime) override;

    // Bytes of frame buffers the clip may hold. While the whole clip fits,
    // every frame is kept and later passes come from memory; once it does
    // not, only frames at and ahead of the play position are kept and each
    // pass decodes the stream again from its start.
    void setFrameBudget(size_t bytes);
    size_t frameBudget() const { return budget; }
    // Bytes of the distinct frame buffers held right now, spare ones kept
    // for reuse included.
    size_t heldFrameBytes() const { return heldBytes; }

protected:
    // A frame with one reference for the caller; its buffer may be missing
    // when the heap is exhausted. Replaceable so that tests can refuse memory
    // (construction always uses this version).
    virtual VideoFrame* makeFrame(uint32_t wordCount, int32_t number);

private:
    static constexpr uint32_t noIndex = 0xFFFFFFFFu;

    bool nextPage(ogg_page* page);
    bool nextPacket(OggStream* stream, ogg_packet* packet);
    // Whether another packet follows, without taking it.
    bool hasNextPacket(OggStream* stream);
    // Feeds pages until the stream has a packet, taken into `packet` when one
    // is given and left queued otherwise; false at the end of the input.
    bool awaitPacket(OggStream* stream, ogg_packet* packet);
    void feedPage(ogg_page* page);
    void probeStreams();
    void readHeaders();
    void decodePacket(ogg_packet* packet);
    void appendFrame(const ph::Pointer<VideoFrame>& frame);
    void decodeAhead();
    void reachEndOfStream();
    bool frameIndexAt(float playTime, uint32_t& index) const;

    // Streaming mode: keep the newest frame and those from `index` on.
    void dropFramesBefore(uint32_t index);
    bool mustStopForBudget();
    bool rewindToStreamStart();
    void decodeUpTo(uint32_t index);
    void keepAsSpare(const ph::Pointer<VideoFrame>& frame);
    ph::Pointer<VideoFrame> reuseSpareFrame(int32_t number);
    uint32_t firstHeldIndex() const { return uint32_t(frameCounter) - uint32_t(frames.size()); }

    ph::Pointer<ph::IInputStream> input;
    ogg_sync_state syncState;
    OggStream* theoraStream = nullptr; // owned by `streams`
    std::map<int32_t, ph::Pointer<OggStream>> streams;
    th_info info;
    th_comment comment;
    th_setup_info* setup = nullptr;
    th_dec_ctx* decoder = nullptr;
    th_ycbcr_buffer planes;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameCounter = 0; // frames produced this pass, repeats and dropped ones included
    uint32_t lastIndex = noIndex;
    // Frames firstHeldIndex() .. frameCounter - 1; a slot is empty when its
    // buffer could not be allocated, and a repeated frame shares its buffer.
    std::deque<ph::Pointer<VideoFrame>> frames;
    float clipDuration = -1.0f;
    bool endOfFile = false; // this pass has read the last packet

    PictureLayout layout;
    size_t frameBytes = 0;
    size_t budget;
    size_t heldBytes = 0; // frame slots and spare buffers
    // Dropped buffers nobody else holds, ready for the next pictures; as many
    // as a rewind frees, so that a new pass needs no fresh memory.
    static constexpr size_t maxSpareFrames = 24;
    std::vector<ph::Pointer<VideoFrame>> spareFrames;
    bool streaming = false;     // the clip did not fit the budget
    bool finishedOnce = false;  // the end was reached at least once
    uint32_t totalFrames = 0;   // frameCounter at the first end
    uint32_t headerPackets = 0; // Theora packets before the first one decoded
    bool rewindFailed = false;
};

} // namespace wf

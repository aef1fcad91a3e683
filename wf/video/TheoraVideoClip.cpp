#include "wf/video/TheoraVideoClip.h"

#include "ph/Log.h"

#include <algorithm>

namespace wf {

namespace {

constexpr uint32_t readChunk = 8192;
// Packets decoded per request at most, and how far decoding runs ahead.
constexpr uint32_t decodeBatch = 10;
constexpr uint32_t decodeLead = 10;

} // namespace

TheoraVideoClip::TheoraVideoClip(ph::IInputStream* stream, size_t frameBudget)
    : input(stream), budget(frameBudget) {
    ogg_sync_init(&syncState);
    th_info_init(&info);
    th_comment_init(&comment);
    probeStreams();
    // A rejected identification header may have filled the picture size.
    if (theoraStream) {
        width = int32_t(info.pic_width);
        height = int32_t(info.pic_height);
        readHeaders();
    }
}

TheoraVideoClip::~TheoraVideoClip() {
    th_decode_free(decoder);
    th_setup_free(setup);
    th_comment_clear(&comment);
    th_info_clear(&info);
    streams.clear();
    ogg_sync_clear(&syncState);
    frames.clear();
}

VideoFrame* TheoraVideoClip::makeFrame(uint32_t wordCount, int32_t number) {
    return new VideoFrame(wordCount, number);
}

void TheoraVideoClip::setFrameBudget(size_t bytes) {
    budget = bytes;
    if (!streaming && heldBytes > budget) {
        streaming = true;
        dropFramesBefore(lastIndex == noIndex ? 0 : lastIndex);
    }
}

bool TheoraVideoClip::nextPage(ogg_page* page) {
    for (;;) {
        // After a loss of sync (-1) the bytes already buffered may still hold
        // pages: look again before asking for more, or the last chunk of a
        // file would be lost to garbage in front of it.
        int answer;
        while ((answer = ogg_sync_pageout(&syncState, page)) < 0) {
        }
        if (answer == 1) {
            return true;
        }
        if (!input || input->atEnd()) {
            return false;
        }
        // Streams may deliver all or nothing, so never ask past the known end.
        uint32_t want = readChunk;
        uint32_t size = input->size();
        uint32_t position = input->tell();
        if (size > position) {
            want = std::min(want, size - position);
        }
        char* buffer = ogg_sync_buffer(&syncState, readChunk);
        uint32_t got = buffer ? input->read(buffer, want) : 0;
        ogg_sync_wrote(&syncState, long(got));
        if (got == 0) {
            return false; // a read error that does not reach the end would loop forever
        }
    }
}

void TheoraVideoClip::feedPage(ogg_page* page) {
    auto found = streams.find(int32_t(ogg_page_serialno(page)));
    if (found != streams.end()) {
        ogg_stream_pagein(&found->second->streamState, page);
    }
}

bool TheoraVideoClip::nextPacket(OggStream* stream, ogg_packet* packet) {
    return awaitPacket(stream, packet);
}

bool TheoraVideoClip::hasNextPacket(OggStream* stream) {
    return awaitPacket(stream, nullptr);
}

bool TheoraVideoClip::awaitPacket(OggStream* stream, ogg_packet* packet) {
    for (;;) {
        int answer;
        // After a hole libogg hands out the packets that follow it.
        while ((answer = packet ? ogg_stream_packetout(&stream->streamState, packet)
                                : ogg_stream_packetpeek(&stream->streamState, nullptr)) < 0) {
        }
        if (answer == 1) {
            return true;
        }
        ogg_page page;
        if (!nextPage(&page)) {
            return false;
        }
        feedPage(&page);
    }
}

void TheoraVideoClip::probeStreams() {
    ogg_page page;
    while (nextPage(&page)) {
        if (!ogg_page_bos(&page)) {
            feedPage(&page);
            return;
        }
        int32_t serial = int32_t(ogg_page_serialno(&page));
        ph::Pointer<OggStream> stream = ph::adopt(new OggStream(serial));
        if (theoraStream) {
            continue; // the first Theora stream wins; the others' pages are dropped
        }
        ogg_stream_pagein(&stream->streamState, &page);
        ogg_packet packet;
        if (ogg_stream_packetout(&stream->streamState, &packet) != 1) {
            continue;
        }
        // Clear rather than only initialise: a rejected header may have filled them.
        th_info_clear(&info);
        th_info_init(&info);
        th_comment_clear(&comment);
        th_comment_init(&comment);
        th_setup_free(setup);
        setup = nullptr;
        if (th_decode_headerin(&info, &comment, &setup, &packet) > 0) {
            streams[serial] = stream;
            theoraStream = stream.get();
        }
    }
}

void TheoraVideoClip::readHeaders() {
    headerPackets = 1; // the identification header taken while probing
    ogg_packet packet;
    bool stoppedOnPacket = false;
    while (nextPacket(theoraStream, &packet)) {
        if (th_decode_headerin(&info, &comment, &setup, &packet) <= 0) {
            stoppedOnPacket = true;
            break;
        }
        ++headerPackets;
    }

    layout = pictureLayoutOf(info);
    uint64_t words = uint64_t(info.pic_width) * info.pic_height;
    uint64_t bytes = words * sizeof(unsigned int);
    if (words > UINT32_MAX || bytes > budget) {
        PH_LOG(0) << "Theora picture too large: " << info.pic_width << "x" << info.pic_height;
    } else {
        frameBytes = size_t(bytes);
        decoder = th_decode_alloc(&info, setup);
    }
    if (stoppedOnPacket) {
        decodePacket(&packet);
    }
    decodeAhead();
}

void TheoraVideoClip::decodePacket(ogg_packet* packet) {
    if (!decoder) {
        return; // no decoder could be built: every packet is rejected
    }
    int answer = th_decode_packetin(decoder, packet, nullptr);
    if (answer == TH_DUPFRAME) {
        // "Show the previous frame again": share it so that later frames keep
        // their place in time.
        if (!frames.empty()) {
            ph::Pointer<VideoFrame> previous = frames.back();
            appendFrame(previous);
        }
        return;
    }
    if (answer != 0 || th_decode_ycbcr_out(decoder, planes) != 0) {
        return;
    }
    ph::Pointer<VideoFrame> frame = reuseSpareFrame(frameCounter);
    if (!frame) {
        frame = ph::adopt(makeFrame(uint32_t(layout.width) * layout.height, frameCounter));
    }
    if (frame && frame->hasElements() && frame->count == layout.width * layout.height &&
        layoutFitsPlanes(layout, planes)) {
        packPicture(planes, layout, frame->elements);
    } else {
        frame.reset(); // keep the slot so that later frames keep their timing
    }
    appendFrame(frame);
}

void TheoraVideoClip::appendFrame(const ph::Pointer<VideoFrame>& frame) {
    bool repeat = !frames.empty() && frames.back().get() == frame.get();
    if (frame && !repeat) {
        heldBytes += frame->byteSize();
    }
    frames.push_back(frame);
    ++frameCounter;
}

void TheoraVideoClip::dropFramesBefore(uint32_t index) {
    while (frames.size() > 1 && firstHeldIndex() < index) {
        ph::Pointer<VideoFrame> dropped = frames.front();
        frames.pop_front();
        if (!dropped || frames.front().get() == dropped.get()) {
            continue; // an empty slot, or a buffer the next slot repeats
        }
        heldBytes -= dropped->byteSize();
        keepAsSpare(dropped);
    }
}

void TheoraVideoClip::keepAsSpare(const ph::Pointer<VideoFrame>& frame) {
    // A buffer nobody else holds is kept for a later picture: writing into
    // fresh memory costs more than the packing itself.
    if (frame && frame->retainCount() == 1 && spareFrames.size() < maxSpareFrames) {
        heldBytes += frame->byteSize();
        spareFrames.push_back(frame);
    }
}

ph::Pointer<VideoFrame> TheoraVideoClip::reuseSpareFrame(int32_t number) {
    if (spareFrames.empty()) {
        return {};
    }
    ph::Pointer<VideoFrame> frame = spareFrames.back();
    spareFrames.pop_back();
    heldBytes -= frame->byteSize(); // counted again when appended
    frame->frameNumber = number;
    return frame;
}

bool TheoraVideoClip::mustStopForBudget() {
    uint32_t playIndex = lastIndex == noIndex ? 0 : lastIndex;
    if (streaming) {
        dropFramesBefore(playIndex);
    }
    // A spare buffer is used before any new memory.
    size_t next = spareFrames.empty() ? frameBytes : 0;
    if (heldBytes + next <= budget) {
        return false;
    }
    if (!streaming) {
        // A clip whose last frame fills the budget exactly still fits.
        if (!hasNextPacket(theoraStream)) {
            return false;
        }
        streaming = true; // the whole clip does not fit: from now on frames are dropped
        dropFramesBefore(playIndex);
        next = spareFrames.empty() ? frameBytes : 0;
    }
    // Behind the play position decoding must go on; ahead of it the budget rules.
    return heldBytes + next > budget && uint32_t(frameCounter) > playIndex;
}

void TheoraVideoClip::reachEndOfStream() {
    if (frameCounter > 0) {
        clipDuration = float(double(uint32_t(frameCounter)) * double(info.fps_denominator) /
                             double(info.fps_numerator));
    }
    if (!finishedOnce) {
        totalFrames = uint32_t(frameCounter);
    }
    endOfFile = true;
    finishedOnce = true;
}

void TheoraVideoClip::decodeAhead() {
    if (endOfFile ||
        (lastIndex != noIndex && uint64_t(frameCounter) >= uint64_t(lastIndex) + decodeLead)) {
        return;
    }
    ogg_packet packet;
    for (uint32_t i = 0; i < decodeBatch; ++i) {
        if (mustStopForBudget()) {
            return;
        }
        if (!nextPacket(theoraStream, &packet)) {
            reachEndOfStream();
            return;
        }
        decodePacket(&packet);
    }
}

bool TheoraVideoClip::rewindToStreamStart() {
    if (rewindFailed) {
        return false;
    }
    if (!input->seek(0)) {
        rewindFailed = true;
        PH_LOG(0) << "Can't rewind the movie stream";
        return false;
    }
    ogg_sync_reset(&syncState);
    for (auto& entry : streams) {
        ogg_stream_reset(&entry.second->streamState);
    }
    th_decode_free(decoder);
    decoder = th_decode_alloc(&info, setup);
    dropFramesBefore(uint32_t(frameCounter)); // all but the newest, into the spares
    if (!frames.empty()) {
        keepAsSpare(frames.front());
    }
    frames.clear();
    heldBytes = 0;
    for (const ph::Pointer<VideoFrame>& spare : spareFrames) {
        heldBytes += spare->byteSize();
    }
    frameCounter = 0;
    endOfFile = false;
    ogg_packet packet;
    for (uint32_t i = 0; i < headerPackets; ++i) {
        if (!nextPacket(theoraStream, &packet)) {
            reachEndOfStream();
            break;
        }
    }
    return true;
}

void TheoraVideoClip::decodeUpTo(uint32_t index) {
    ogg_packet packet;
    while (!endOfFile && uint32_t(frameCounter) <= index) {
        dropFramesBefore(index);
        if (!nextPacket(theoraStream, &packet)) {
            reachEndOfStream();
            return;
        }
        decodePacket(&packet);
    }
    dropFramesBefore(index);
}

bool TheoraVideoClip::frameIndexAt(float playTime, uint32_t& index) const {
    // Formed in double, truncated toward zero, low 32 bits divided by the
    // denominator; times that fit no 64-bit integer (and NaN) name no frame.
    double product = double(playTime) * double(uint32_t(info.fps_numerator));
    if (!(product > -9.0e18 && product < 9.0e18) || info.fps_denominator == 0) {
        return false;
    }
    uint32_t low = uint32_t(uint64_t(int64_t(product)));
    index = low / uint32_t(info.fps_denominator);
    return true;
}

ph::Pointer<ph::Data<unsigned int>> TheoraVideoClip::frameAt(float playTime) {
    if (!theoraStream) {
        return {};
    }
    if (clipDuration > 0.0f && clipDuration < playTime) {
        playTime -= clipDuration;
    }
    uint32_t index = 0;
    if (!frameIndexAt(playTime, index) || index == 0 || index == lastIndex) {
        return {};
    }
    lastIndex = index;

    if (streaming) {
        // Hand out what a clip holding every frame would: go back to the
        // start for frames already dropped, and once the length is known
        // decode up to any frame the first pass reached.
        bool rewound = index < firstHeldIndex() && rewindToStreamStart();
        if (rewound || (finishedOnce && index < totalFrames)) {
            decodeUpTo(index);
        }
    }

    ph::Pointer<ph::Data<unsigned int>> answer;
    uint32_t first = firstHeldIndex();
    if (index >= first && index - first < frames.size()) {
        answer = frames[index - first].get();
    }
    decodeAhead();
    return answer;
}

} // namespace wf

#include "tools/theora/TheoraEncoding.h"

#include <ogg/ogg.h>
#include <theora/theoraenc.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace theoraenc {

namespace {

std::string pageBytes(const ogg_page& page) {
    std::string bytes(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
    bytes.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
    return bytes;
}

class StreamWriter {
public:
    explicit StreamWriter(int serial) { ogg_stream_init(&state, serial); }
    ~StreamWriter() { ogg_stream_clear(&state); }
    StreamWriter(const StreamWriter&) = delete;
    StreamWriter& operator=(const StreamWriter&) = delete;

    void packet(ogg_packet& packet) {
        if (ogg_stream_packetin(&state, &packet) != 0) {
            throw std::runtime_error("ogg_stream_packetin failed");
        }
    }
    // Every buffered packet, ending on a page boundary.
    std::vector<std::string> flush() {
        std::vector<std::string> pages;
        ogg_page page;
        while (ogg_stream_flush(&state, &page) != 0) {
            pages.push_back(pageBytes(page));
        }
        return pages;
    }
    std::string flushJoined() {
        std::string joined;
        for (const std::string& page : flush()) {
            joined += page;
        }
        return joined;
    }

private:
    ogg_stream_state state;
};

void fillFlat(th_ycbcr_buffer planes, const YCbCr& level) {
    const uint8_t values[3] = {level.y, level.cb, level.cr};
    for (int p = 0; p < 3; ++p) {
        for (int row = 0; row < planes[p].height; ++row) {
            std::memset(planes[p].data + row * planes[p].stride, values[p],
                        size_t(planes[p].width));
        }
    }
}

th_pixel_fmt pixelFormatOf(Chroma chroma) {
    switch (chroma) {
    case Chroma::Subsampled422:
        return TH_PF_422;
    case Chroma::Full444:
        return TH_PF_444;
    default:
        return TH_PF_420;
    }
}

} // namespace

YCbCr levelOfFrame(int frame) {
    return YCbCr{uint8_t(24 + (frame * 23) % 208), uint8_t(48 + (frame * 41) % 160),
                 uint8_t(200 - (frame * 29) % 160)};
}

std::vector<YCbCr> flatLevels(int count, int first) {
    std::vector<YCbCr> levels;
    for (int k = 0; k < count; ++k) {
        levels.push_back(levelOfFrame(first + k));
    }
    return levels;
}

namespace {

// Where the encoder's pages go: the beginning page, the rest of the headers,
// then each body page as soon as it is complete.
struct PageSink {
    std::function<void(std::string)> begin;
    std::function<void(std::string)> headers;
    std::function<void(std::string)> body;
};

void encodeInto(const TheoraClip& clip, const PageSink& sink) {
    th_info info;
    th_info_init(&info);
    info.frame_width = uint32_t(clip.picX + clip.width + 15) & ~15u;
    info.frame_height = uint32_t(clip.picY + clip.height + 15) & ~15u;
    info.pic_width = uint32_t(clip.width);
    info.pic_height = uint32_t(clip.height);
    info.pic_x = uint32_t(clip.picX);
    info.pic_y = uint32_t(clip.picY);
    info.colorspace = TH_CS_UNSPECIFIED;
    info.pixel_fmt = pixelFormatOf(clip.chroma);
    info.target_bitrate = 0;
    info.quality = clip.quality;
    info.keyframe_granule_shift = 6;
    info.fps_numerator = clip.fpsNumerator;
    info.fps_denominator = clip.fpsDenominator;
    info.aspect_numerator = 1;
    info.aspect_denominator = 1;
    th_enc_ctx* encoder = th_encode_alloc(&info);
    if (!encoder) {
        th_info_clear(&info);
        throw std::runtime_error("th_encode_alloc refused the stream");
    }

    StreamWriter stream(clip.serial);
    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    bool first = true;
    while (th_encode_flushheader(encoder, &comment, &packet) > 0) {
        stream.packet(packet);
        if (first) {
            sink.begin(stream.flushJoined()); // the identification header alone
            first = false;
        }
    }
    sink.headers(stream.flushJoined());
    th_comment_clear(&comment);

    int frames = clip.paint ? clip.frameCount : int(clip.levels.size());
    uint32_t chromaWidth = clip.chroma == Chroma::Full444 ? info.frame_width : info.frame_width / 2;
    uint32_t chromaHeight =
        clip.chroma == Chroma::Subsampled420 ? info.frame_height / 2 : info.frame_height;
    std::vector<unsigned char> storage[3];
    th_ycbcr_buffer planes;
    for (int p = 0; p < 3; ++p) {
        planes[p].width = int(p == 0 ? info.frame_width : chromaWidth);
        planes[p].height = int(p == 0 ? info.frame_height : chromaHeight);
        planes[p].stride = planes[p].width;
        storage[p].assign(size_t(planes[p].width) * size_t(planes[p].height), 0);
        planes[p].data = storage[p].data();
    }

    auto emptyBefore = [&](int position) {
        return std::count(clip.emptyPacketsBefore.begin(), clip.emptyPacketsBefore.end(),
                          position) != 0;
    };
    ogg_int64_t packetNumber = 3;
    auto writeEmptyPacket = [&](bool last) {
        static unsigned char nothing = 0;
        ogg_packet empty{};
        empty.packet = &nothing;
        empty.bytes = 0;
        empty.e_o_s = last ? 1 : 0;
        empty.granulepos = -1;
        empty.packetno = packetNumber++;
        stream.packet(empty);
        for (std::string& page : stream.flush()) {
            sink.body(std::move(page));
        }
    };

    for (int k = 0; k < frames; ++k) {
        if (emptyBefore(k)) {
            writeEmptyPacket(false);
        }
        if (clip.paint) {
            clip.paint(k, planes);
        } else {
            fillFlat(planes, clip.levels[size_t(k)]);
        }
        if (th_encode_ycbcr_in(encoder, planes) != 0) {
            th_encode_free(encoder);
            throw std::runtime_error("th_encode_ycbcr_in failed");
        }
        bool last = k + 1 == frames && !emptyBefore(frames);
        while (th_encode_packetout(encoder, last ? 1 : 0, &packet) > 0) {
            packet.packetno = packetNumber++;
            stream.packet(packet);
            for (std::string& page : stream.flush()) {
                sink.body(std::move(page));
            }
        }
    }
    if (emptyBefore(frames)) {
        writeEmptyPacket(true);
    }
    th_encode_free(encoder);
    th_info_clear(&info);
}

} // namespace

OggPages encodeTheoraPages(const TheoraClip& clip) {
    OggPages pages;
    encodeInto(clip, {[&](std::string page) { pages.begin = std::move(page); },
                      [&](std::string page) { pages.headers = std::move(page); },
                      [&](std::string page) { pages.body.push_back(std::move(page)); }});
    return pages;
}

std::string encodeTheora(const TheoraClip& clip) {
    return multiplex({encodeTheoraPages(clip)});
}

void encodeTheoraStream(const TheoraClip& clip,
                        const std::function<void(const std::string&)>& write) {
    // One stream: its pages in encoding order are already a whole file.
    encodeInto(clip, {write, write, write});
}

OggPages otherStreamPages(int serial, int packets) {
    OggPages pages;
    StreamWriter stream(serial);
    for (int k = 0; k < packets; ++k) {
        std::string bytes = "\x01sound" + std::string(size_t(40 + k), char('a' + k % 26));
        ogg_packet packet{};
        packet.packet = reinterpret_cast<unsigned char*>(&bytes[0]);
        packet.bytes = long(bytes.size());
        packet.b_o_s = k == 0 ? 1 : 0;
        packet.e_o_s = k + 1 == packets ? 1 : 0;
        packet.granulepos = k;
        packet.packetno = k;
        stream.packet(packet);
        if (k == 0) {
            pages.begin = stream.flushJoined();
        } else {
            for (std::string& page : stream.flush()) {
                pages.body.push_back(std::move(page));
            }
        }
    }
    return pages;
}

std::string multiplex(const std::vector<OggPages>& streams) {
    std::string file;
    size_t longest = 0;
    for (const OggPages& s : streams) {
        file += s.begin;
        longest = std::max(longest, s.body.size());
    }
    for (const OggPages& s : streams) {
        file += s.headers;
    }
    for (size_t i = 0; i < longest; ++i) {
        for (const OggPages& s : streams) {
            if (i < s.body.size()) {
                file += s.body[i];
            }
        }
    }
    return file;
}

} // namespace theoraenc

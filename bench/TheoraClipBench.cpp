// clang-format off
// Decoded frames per second of TheoraVideoClip against a bare libtheora loop
// (packet in, picture out, nothing else) over the same 1280x720 clip, made by
// the fixture writer when the program starts; the ratios come last. Run it with:
//   cmake --preset bench && cmake --build --preset bench --target theora_clip_bench && build/bench/bench/theora_clip_bench
// clang-format on
#include "bench/MedianBenchmarks.h"
#include "ph/MemoryReader.h"
#include "ph/Pointer.h"
#include "tests/support/TheoraWriter.h"
#include "wf/video/TheoraVideoClip.h"

#include <benchmark/benchmark.h>
#include <ogg/ogg.h>
#include <theora/theoradec.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int benchWidth = 1280;
constexpr int benchHeight = 720;
constexpr int benchFrames = 50;

// Moving gradients and fine texture, so that decoding does real work.
void paintMovingScene(int frame, th_ycbcr_buffer planes) {
    for (int p = 0; p < 3; ++p) {
        th_img_plane& plane = planes[p];
        for (int y = 0; y < plane.height; ++y) {
            unsigned char* row = plane.data + y * plane.stride;
            for (int x = 0; x < plane.width; ++x) {
                int wave = int(40.0 * std::sin((x + frame * 6) * 0.02) +
                               30.0 * std::cos((y - frame * 3) * 0.03));
                int texture = ((x * 7 + y * 13 + frame * 5) * 2654435761u >> 27) & 15;
                int base = p == 0 ? 120 : 128 + (p == 1 ? 20 : -20);
                int value = base + (p == 0 ? wave + texture : wave / 3);
                row[x] = (unsigned char)(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    }
}

const std::string& fixture() {
    static const std::string bytes = [] {
        testsupport::TheoraClip clip;
        clip.width = benchWidth;
        clip.height = benchHeight;
        clip.quality = 48;
        clip.frameCount = benchFrames;
        clip.paint = paintMovingScene;
        return testsupport::encodeTheora(clip);
    }();
    return bytes;
}

// Pictures decoded from the whole fixture with libogg and libtheora alone.
int decodeBare(const std::string& bytes) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, long(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, long(bytes.size()));
    ogg_page page;
    ogg_stream_state stream;
    bool haveStream = false;
    th_info info;
    th_comment comment;
    th_setup_info* setup = nullptr;
    th_dec_ctx* decoder = nullptr;
    th_info_init(&info);
    th_comment_init(&comment);
    int pictures = 0;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!haveStream) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            haveStream = true;
        }
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1) {
            if (!decoder) {
                if (th_decode_headerin(&info, &comment, &setup, &packet) > 0) {
                    continue;
                }
                decoder = th_decode_alloc(&info, setup);
            }
            if (th_decode_packetin(decoder, &packet, nullptr) == 0) {
                th_ycbcr_buffer planes;
                th_decode_ycbcr_out(decoder, planes);
                benchmark::DoNotOptimize(planes[0].data);
                ++pictures;
            }
        }
    }
    th_decode_free(decoder);
    th_setup_free(setup);
    th_comment_clear(&comment);
    th_info_clear(&info);
    if (haveStream) {
        ogg_stream_clear(&stream);
    }
    ogg_sync_clear(&sync);
    return pictures;
}

ph::Pointer<wf::TheoraVideoClip> openClip(const std::string& bytes, size_t budget) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(new ph::Data<char>(uint32_t(bytes.size())));
    std::memcpy(data->elements, bytes.data(), bytes.size());
    ph::Pointer<ph::MemoryReader> stream = ph::adopt(new ph::MemoryReader(data.get()));
    return ph::adopt(new wf::TheoraVideoClip(stream.get(), budget));
}

// Every frame of one pass in turn, as a display at the frame rate asks for them.
int playPass(wf::TheoraVideoClip& clip) {
    int handedOut = 0;
    for (int index = 1; index < benchFrames; ++index) {
        ph::Pointer<ph::Data<unsigned int>> frame = clip.frameAt((float(index) + 0.5f) / 25.0f);
        handedOut += frame ? 1 : 0;
    }
    return handedOut + 1; // frame 0 is decoded but never handed out
}

// Frames per second over wall time; benchmark reports its median over the
// repetitions, and the ratios are taken from those medians.
template <class Decode> void measure(benchmark::State& state, Decode decode) {
    const std::string& bytes = fixture();
    int64_t frames = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        frames += decode(bytes);
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["frames_per_second"] = double(frames) / seconds;
    if (frames / std::max<int64_t>(state.iterations(), 1) != benchFrames) {
        state.SkipWithError("not every frame was decoded");
    }
}

void BM_BareLibtheora(benchmark::State& state) {
    measure(state, decodeBare);
}

// A new clip per pass, so that every pass decodes. Argument: the frame budget
// in MiB. At 256 (the default) the 50 frames fit and are all kept, so each
// needs fresh memory; at 24 they do not, as with any 720p movie longer than
// about three seconds, and dropped buffers are reused.
void BM_TheoraVideoClipFirstPass(benchmark::State& state) {
    size_t budget = size_t(state.range(0)) << 20;
    measure(state, [budget](const std::string& bytes) {
        ph::Pointer<wf::TheoraVideoClip> clip = openClip(bytes, budget);
        int frames = playPass(*clip);
        return clip->isFinished() ? frames : 0;
    });
}

// One clip over its budget playing pass after pass: each pass rewinds and
// decodes again into reused buffers, the steady state of a long movie.
void BM_TheoraVideoClipLooping(benchmark::State& state) {
    ph::Pointer<wf::TheoraVideoClip> clip = openClip(fixture(), size_t(24) << 20);
    playPass(*clip); // the first pass, with its fresh buffers, is not measured
    measure(state, [&clip](const std::string&) { return playPass(*clip); });
}

BENCHMARK(BM_BareLibtheora)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_TheoraVideoClipFirstPass)
    ->Arg(256)
    ->Arg(24)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_TheoraVideoClipLooping)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    benchsupport::MedianReporter reporter("frames_per_second");
    benchsupport::runBenchmarks(
        argc, argv, [] { fixture(); }, reporter); // encoded once, outside the measurements

    const double bare = reporter.median("BM_BareLibtheora");
    for (const auto& entry : reporter.medians()) {
        if (entry.first != "BM_BareLibtheora" && bare > 0.0) {
            std::printf("%s / BM_BareLibtheora, median frames per second: %.1f / %.1f = %.3f\n",
                        entry.first.c_str(), entry.second, bare, entry.second / bare);
        }
    }
    return 0;
}

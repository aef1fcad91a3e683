// clang-format off
// Mpixel/s of the frame upload's conversion (packed Y/Cb/Cr words into B G R
// rows, alpha kept) on a 1920x1080 picture: the SSE2 routine the programs run
// and the scalar one beside it, with the medians and their ratio at the end.
//   cmake --preset bench && cmake --build --preset bench --target picture_conversion_bench && build/bench/bench/picture_conversion_bench
// clang-format on
#include "bench/MedianBenchmarks.h"
#include "pr/PictureConversion.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int pictureWidth = 1920;
constexpr int pictureHeight = 1080;
constexpr int surfaceWidth = 2048; // a power-of-two texture, as older devices make

struct Picture {
    std::vector<uint32_t> words;
    std::vector<uint8_t> surface;
    Picture()
        : words(size_t(pictureWidth) * pictureHeight),
          surface(size_t(surfaceWidth) * 4 * pictureHeight, 0xFF) {
        // Every byte value turns up, in no order a predictor could learn.
        uint32_t seed = 12345;
        for (uint32_t& word : words) {
            seed = seed * 1664525u + 1013904223u;
            word = seed;
        }
    }
};

Picture& picture() {
    static Picture shared;
    return shared;
}

template <class Convert> void measure(benchmark::State& state, Convert convert) {
    Picture& p = picture();
    for (auto _ : state) {
        convert(p);
        benchmark::DoNotOptimize(p.surface.data());
        benchmark::ClobberMemory();
    }
    state.counters["Mpixel_per_second"] =
        benchmark::Counter(double(state.iterations()) * pictureWidth * pictureHeight / 1e6,
                           benchmark::Counter::kIsRate);
}

void BM_ConvertPictureScalar(benchmark::State& state) {
    measure(state, [](Picture& p) {
        for (int row = 0; row < pictureHeight; ++row) {
            pr::convertRowScalar(p.words.data() + size_t(row) * pictureWidth, pictureWidth,
                                 p.surface.data() + size_t(row) * surfaceWidth * 4);
        }
    });
}

void BM_ConvertPicture(benchmark::State& state) {
    if (!pr::hasSSE2Routine()) {
        state.SkipWithError("this build has no SSE2 routine");
    }
    measure(state, [](Picture& p) {
        pr::convertPicture(p.words.data(), pictureWidth, pictureHeight, p.surface.data(),
                           surfaceWidth * 4);
    });
}

BENCHMARK(BM_ConvertPictureScalar)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ConvertPicture)->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace

int main(int argc, char** argv) {
    benchsupport::MedianReporter reporter("Mpixel_per_second");
    benchsupport::runBenchmarks(
        argc, argv, [] { picture(); }, reporter); // made once, outside the measurements

    const double sse2 = reporter.median("BM_ConvertPicture");
    const double scalar = reporter.median("BM_ConvertPictureScalar");
    std::printf("1920x1080 median Mpixel/s: SSE2 %.1f, scalar %.1f", sse2, scalar);
    if (scalar > 0.0) {
        std::printf(", ratio %.2f", sse2 / scalar);
    }
    std::printf(" (goal: 500 or more)\n");
    return 0;
}

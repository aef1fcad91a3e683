// make_sample_movie OUTPUT [WIDTH HEIGHT SECONDS [QUALITY]]
// Writes a colourful animated Ogg/Theora clip (4:2:0, 25 frames a second):
// a scrolling rainbow, a band of colour bars and a bouncing white ball, so
// that stretching, colours and motion are easy to judge by eye. Used by
// `make run` and the benchmarks; the clips are build outputs.
#include "tools/theora/TheoraEncoding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

const int framesPerSecond = 25;

struct Rgb {
    float r, g, b; // 0..1
};

Rgb hueColour(float hue) { // hue in turns, saturated and bright
    const float h = (hue - std::floor(hue)) * 6.0f;
    const float x = 1.0f - std::fabs(std::fmod(h, 2.0f) - 1.0f);
    switch (static_cast<int>(h)) {
    case 0:
        return {1, x, 0};
    case 1:
        return {x, 1, 0};
    case 2:
        return {0, 1, x};
    case 3:
        return {0, x, 1};
    case 4:
        return {x, 0, 1};
    default:
        return {1, 0, x};
    }
}

// Studio-range BT.601, as Theora's decoders expect.
theoraenc::YCbCr toYCbCr(Rgb c) {
    const float y = 16.0f + 65.481f * c.r + 128.553f * c.g + 24.966f * c.b;
    const float cb = 128.0f - 37.797f * c.r - 74.203f * c.g + 112.0f * c.b;
    const float cr = 128.0f + 112.0f * c.r - 93.786f * c.g - 18.214f * c.b;
    return {static_cast<uint8_t>(y + 0.5f), static_cast<uint8_t>(cb + 0.5f),
            static_cast<uint8_t>(cr + 0.5f)};
}

struct Scene {
    int width, height, frame;

    Rgb colourAt(int x, int y) const {
        const float t = static_cast<float>(frame) / framesPerSecond;
        const float u = static_cast<float>(x) / width;
        const float v = static_cast<float>(y) / height;
        // Ball bouncing off the picture's edges.
        const float radius = 0.12f * height;
        const float bx =
            radius + std::fabs(std::fmod(t * 0.45f * width, 2.0f * (width - 2 * radius)) -
                               (width - 2 * radius));
        const float by =
            radius + std::fabs(std::fmod(t * 0.6f * height, 2.0f * (height - 2 * radius)) -
                               (height - 2 * radius));
        const float dx = x - bx, dy = y - by;
        if (dx * dx + dy * dy < radius * radius) {
            return {1, 1, 1};
        }
        if (v > 0.75f && v < 0.85f) { // colour bars sliding the other way
            const int bar = static_cast<int>((u - t * 0.1f + 8.0f) * 8.0f) % 8;
            return hueColour(bar / 8.0f);
        }
        Rgb c = hueColour(u + v * 0.5f + t * 0.2f);
        const float shade = 0.55f + 0.45f * v;
        return {c.r * shade, c.g * shade, c.b * shade};
    }
};

void paint(int width, int height, int picX, int picY, int frame, th_ycbcr_buffer planes) {
    const Scene scene{width, height, frame};
    for (int y = 0; y < height; ++y) {
        unsigned char* row = planes[0].data + (picY + y) * planes[0].stride + picX;
        for (int x = 0; x < width; ++x) {
            row[x] = toYCbCr(scene.colourAt(x, y)).y;
        }
    }
    for (int y = 0; y < height / 2; ++y) {
        unsigned char* cb = planes[1].data + (picY / 2 + y) * planes[1].stride + picX / 2;
        unsigned char* cr = planes[2].data + (picY / 2 + y) * planes[2].stride + picX / 2;
        for (int x = 0; x < width / 2; ++x) {
            const theoraenc::YCbCr c = toYCbCr(scene.colourAt(2 * x, 2 * y));
            cb[x] = c.cb;
            cr[x] = c.cr;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: make_sample_movie OUTPUT [WIDTH HEIGHT SECONDS [QUALITY]]\n");
        return 2;
    }
    theoraenc::TheoraClip clip;
    clip.width = argc > 2 ? std::atoi(argv[2]) : 640;
    clip.height = argc > 3 ? std::atoi(argv[3]) : 360;
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 4;
    clip.quality = argc > 5 ? std::atoi(argv[5]) : 48;
    if (clip.width < 16 || clip.height < 16 || clip.width % 2 || clip.height % 2 || seconds < 1) {
        std::fprintf(stderr, "make_sample_movie: even sizes of 16 or more and 1 second or more\n");
        return 2;
    }
    clip.fpsNumerator = framesPerSecond;
    clip.frameCount = seconds * framesPerSecond;
    clip.paint = [&clip](int frame, th_ycbcr_buffer planes) {
        paint(clip.width, clip.height, clip.picX, clip.picY, frame, planes);
    };

    const std::string output = argv[1];
    const std::string partial = output + ".part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        std::perror(partial.c_str());
        return 1;
    }
    bool written = true;
    try {
        theoraenc::encodeTheoraStream(clip, [&](const std::string& page) {
            written = written && std::fwrite(page.data(), 1, page.size(), file) == page.size();
        });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sample_movie: %s\n", error.what());
        written = false;
    }
    written = std::fclose(file) == 0 && written;
    // Renamed only when whole, so an interrupted build never leaves half a movie.
    if (!written || std::rename(partial.c_str(), output.c_str()) != 0) {
        std::remove(partial.c_str());
        std::fprintf(stderr, "make_sample_movie: could not write %s\n", output.c_str());
        return 1;
    }
    return 0;
}

#include "pr/PictureConversion.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pr {

namespace {

// Integer BT.601 (studio range) to RGB; results clamp to 0..255.
enum : int {
    LumaOffset = 16,
    ChromaOffset = 128,
    LumaFactor = 298,
    RedFromCr = 409,
    GreenFromCb = -100,
    GreenFromCr = -208,
    BlueFromCb = 516,
    Rounding = 128,
    Shift = 8,
};
enum : uint32_t { AlphaMask = 0xFF000000u };

inline uint8_t clampByte(int value) {
    return uint8_t(value < 0 ? 0 : (value > 255 ? 255 : value));
}

inline void convertPixel(uint32_t word, uint8_t* pixel) {
    const int v = int(word & 0xFF) - ChromaOffset;
    const int u = int((word >> 8) & 0xFF) - ChromaOffset;
    const int y = int((word >> 16) & 0xFF) - LumaOffset;
    const int luma = LumaFactor * y + Rounding;
    // >> of a negative int is arithmetic on every compiler we build with.
    pixel[0] = clampByte((luma + BlueFromCb * u) >> Shift);
    pixel[1] = clampByte((luma + GreenFromCb * u + GreenFromCr * v) >> Shift);
    pixel[2] = clampByte((luma + RedFromCr * v) >> Shift);
}

} // namespace

void convertRowScalar(const uint32_t* source, int count, uint8_t* destination) {
    for (int i = 0; i < count; ++i) {
        convertPixel(source[i], destination + 4 * i);
    }
}

#if defined(__SSE2__)

bool hasSSE2Routine() {
    return true;
}

// Four pixels at a time. Each 32-bit lane holds a pair of int16 so that
// _mm_madd_epi16 computes two products and their sum in 32 bits: (v, u) from
// the chroma bytes and (y, 1) from the luma, whose second factor adds the
// rounding. Saturating packs then do the clamping.
void convertRowSSE2(const uint32_t* source, int count, uint8_t* destination) {
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    const __m128i secondByte = _mm_set1_epi32(0xFF00);
    const __m128i lowHalf = _mm_set1_epi32(0xFFFF);
    const __m128i one = _mm_set1_epi32(0x10000);
    const __m128i chromaOffset = _mm_set1_epi16(ChromaOffset);
    const __m128i lumaOffset = _mm_set1_epi32(LumaOffset);
    const __m128i lumaFactors = _mm_set1_epi32((Rounding << 16) | LumaFactor);
    const __m128i redFactors = _mm_set1_epi32(RedFromCr);
    const __m128i greenFactors =
        _mm_set1_epi32(int32_t(uint32_t(uint16_t(GreenFromCb)) << 16 | uint16_t(GreenFromCr)));
    const __m128i blueFactors = _mm_set1_epi32(BlueFromCb << 16);
    const __m128i alphaMask = _mm_set1_epi32(int32_t(AlphaMask));
    const __m128i zero = _mm_setzero_si128();

    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i vu =
            _mm_sub_epi16(_mm_or_si128(_mm_and_si128(words, lowByte),
                                       _mm_slli_epi32(_mm_and_si128(words, secondByte), 8)),
                          chromaOffset);
        const __m128i y =
            _mm_sub_epi32(_mm_and_si128(_mm_srli_epi32(words, 16), lowByte), lumaOffset);
        // y may be negative: keep its low 16 bits only, beside the 1.
        const __m128i y1Pair = _mm_or_si128(_mm_and_si128(y, lowHalf), one);
        const __m128i luma = _mm_madd_epi16(y1Pair, lumaFactors);
        const __m128i red =
            _mm_srai_epi32(_mm_add_epi32(luma, _mm_madd_epi16(vu, redFactors)), Shift);
        const __m128i green =
            _mm_srai_epi32(_mm_add_epi32(luma, _mm_madd_epi16(vu, greenFactors)), Shift);
        const __m128i blue =
            _mm_srai_epi32(_mm_add_epi32(luma, _mm_madd_epi16(vu, blueFactors)), Shift);
        // Bytes B0..B3 G0..G3 R0..R3 0000, then interleaved to B G R 0 per pixel.
        const __m128i planes =
            _mm_packus_epi16(_mm_packs_epi32(blue, green), _mm_packs_epi32(red, zero));
        const __m128i br = _mm_unpacklo_epi8(planes, _mm_srli_si128(planes, 8));
        const __m128i bgr = _mm_unpacklo_epi8(br, _mm_srli_si128(br, 8));
        __m128i* out = reinterpret_cast<__m128i*>(destination + 4 * i);
        const __m128i kept = _mm_and_si128(_mm_loadu_si128(out), alphaMask);
        _mm_storeu_si128(out, _mm_or_si128(bgr, kept));
    }
    convertRowScalar(source + i, count - i, destination + 4 * i);
}

#else

bool hasSSE2Routine() {
    return false;
}

void convertRowSSE2(const uint32_t* source, int count, uint8_t* destination) {
    convertRowScalar(source, count, destination);
}

#endif

void convertPicture(const uint32_t* source, int width, int height, uint8_t* destination,
                    ptrdiff_t pitch) {
    for (int row = 0; row < height; ++row) {
        convertRowSSE2(source + ptrdiff_t(row) * width, width, destination + row * pitch);
    }
}

void convertPictureScaled(const uint32_t* source, int width, int height, uint8_t* destination,
                          ptrdiff_t pitch, int toWidth, int toHeight) {
    if (width <= 0 || height <= 0) {
        return;
    }
    for (int row = 0; row < toHeight; ++row) {
        const uint32_t* sourceRow = source + ptrdiff_t(int64_t(row) * height / toHeight) * width;
        uint8_t* out = destination + row * pitch;
        for (int column = 0; column < toWidth; ++column) {
            convertPixel(sourceRow[int64_t(column) * width / toWidth], out + 4 * column);
        }
    }
}

} // namespace pr

#include "wf/video/PicturePacker.h"

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wf {

namespace {

uint32_t packedWord(const unsigned char* luma, const unsigned char* cb, const unsigned char* cr,
                    uint32_t fx, uint32_t shiftX) {
    uint32_t chroma = fx >> shiftX;
    return uint32_t(luma[fx]) << 16 | uint32_t(cb[chroma]) << 8 | uint32_t(cr[chroma]);
}

#if defined(__SSE2__)
// Sixteen pixels at once; `fx` is even when chroma is halved horizontally.
template <uint32_t ShiftX>
void packSixteen(uint32_t* out, const unsigned char* luma, const unsigned char* cb,
                 const unsigned char* cr, uint32_t fx) {
    const __m128i zero = _mm_setzero_si128();
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma + fx));
    __m128i yLow = _mm_unpacklo_epi8(y, zero);
    __m128i yHigh = _mm_unpackhi_epi8(y, zero);
    __m128i chromaLow;  // Cb << 8 | Cr for pixels 0-7
    __m128i chromaHigh; // and 8-15
    if (ShiftX == 1) {
        __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb + (fx >> 1)));
        __m128i r = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr + (fx >> 1)));
        __m128i pairs = _mm_unpacklo_epi8(r, b);
        chromaLow = _mm_unpacklo_epi16(pairs, pairs);
        chromaHigh = _mm_unpackhi_epi16(pairs, pairs);
    } else {
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + fx));
        __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + fx));
        chromaLow = _mm_unpacklo_epi8(r, b);
        chromaHigh = _mm_unpackhi_epi8(r, b);
    }
    __m128i* to = reinterpret_cast<__m128i*>(out);
    __m128i words[4] = {_mm_unpacklo_epi16(chromaLow, yLow), _mm_unpackhi_epi16(chromaLow, yLow),
                        _mm_unpacklo_epi16(chromaHigh, yHigh),
                        _mm_unpackhi_epi16(chromaHigh, yHigh)};
    // The frame is not read again before it is uploaded, so aligned words go
    // around the cache instead of evicting the decoder's planes.
    if ((reinterpret_cast<uintptr_t>(out) & 15) == 0) {
        for (int i = 0; i < 4; ++i) {
            _mm_stream_si128(to + i, words[i]);
        }
    } else {
        for (int i = 0; i < 4; ++i) {
            _mm_storeu_si128(to + i, words[i]);
        }
    }
}
#endif

// Each pixel takes the chroma sample that covers it, so odd picture edges and
// odd offsets read the nearest sample instead of being left out.
template <uint32_t ShiftX>
void packPictureRow(uint32_t* out, const unsigned char* luma, const unsigned char* cb,
                    const unsigned char* cr, uint32_t x0, uint32_t width) {
    uint32_t c = 0;
#if defined(__SSE2__)
    if (ShiftX == 1 && (x0 & 1) != 0 && width != 0) {
        out[0] = packedWord(luma, cb, cr, x0, ShiftX);
        c = 1;
    }
    for (; c + 16 <= width; c += 16) {
        packSixteen<ShiftX>(out + c, luma, cb, cr, x0 + c);
    }
#endif
    for (; c < width; ++c) {
        out[c] = packedWord(luma, cb, cr, x0 + c, ShiftX);
    }
}

const unsigned char* planeRow(const th_img_plane& plane, uint32_t row) {
    return plane.data + ptrdiff_t(row) * plane.stride;
}

} // namespace

PictureLayout pictureLayoutOf(const th_info& info) {
    PictureLayout layout;
    layout.x = info.pic_x;
    layout.y = info.pic_y;
    layout.width = info.pic_width;
    layout.height = info.pic_height;
    layout.chromaShiftX = info.pixel_fmt == TH_PF_444 ? 0 : 1;
    layout.chromaShiftY = info.pixel_fmt == TH_PF_420 ? 1 : 0;
    return layout;
}

bool layoutFitsPlanes(const PictureLayout& layout, const th_ycbcr_buffer planes) {
    uint64_t right = uint64_t(layout.x) + layout.width;
    uint64_t bottom = uint64_t(layout.y) + layout.height;
    if (layout.width == 0 || layout.height == 0) {
        return true;
    }
    if (planes[0].data == nullptr || right > uint64_t(planes[0].width) ||
        bottom > uint64_t(planes[0].height)) {
        return false;
    }
    uint64_t chromaRight = ((right - 1) >> layout.chromaShiftX) + 1;
    uint64_t chromaBottom = ((bottom - 1) >> layout.chromaShiftY) + 1;
    for (int p = 1; p < 3; ++p) {
        if (planes[p].data == nullptr || chromaRight > uint64_t(planes[p].width) ||
            chromaBottom > uint64_t(planes[p].height)) {
            return false;
        }
    }
    return true;
}

void packPicture(const th_ycbcr_buffer planes, const PictureLayout& layout, uint32_t* words) {
    for (uint32_t r = 0; r < layout.height; ++r) {
        uint32_t fy = layout.y + r;
        uint32_t cy = fy >> layout.chromaShiftY;
        const unsigned char* luma = planeRow(planes[0], fy);
        const unsigned char* cb = planeRow(planes[1], cy);
        const unsigned char* cr = planeRow(planes[2], cy);
        uint32_t* out = words + size_t(r) * layout.width;
        if (layout.chromaShiftX != 0) {
            packPictureRow<1>(out, luma, cb, cr, layout.x, layout.width);
        } else {
            packPictureRow<0>(out, luma, cb, cr, layout.x, layout.width);
        }
    }
#if defined(__SSE2__)
    _mm_sfence(); // streamed words are visible before the frame is handed out
#endif
}

} // namespace wf

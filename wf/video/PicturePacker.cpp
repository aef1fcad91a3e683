#include "wf/video/PicturePacker.h"

#include <cstddef>

namespace wf {

namespace {

// Each pixel takes the chroma sample that covers it, so odd picture edges and
// odd offsets read the nearest sample instead of being left out.
template <uint32_t ShiftX>
void packPictureRow(uint32_t* out, const unsigned char* luma, const unsigned char* cb,
                    const unsigned char* cr, uint32_t x0, uint32_t width) {
    for (uint32_t c = 0; c < width; ++c) {
        uint32_t fx = x0 + c;
        uint32_t chroma = fx >> ShiftX;
        out[c] = uint32_t(luma[fx]) << 16 | uint32_t(cb[chroma]) << 8 | uint32_t(cr[chroma]);
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
}

} // namespace wf

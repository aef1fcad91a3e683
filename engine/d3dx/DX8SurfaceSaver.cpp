// Saving a Direct3D 8 surface as a 24-bit BMP file (screenshots).
#include "engine/d3dx/D3dx8.h"
#include "engine/d3dx/Pixels.h"

#include <cstdio>
#include <vector>

namespace {

using d3dx::PixelFormat;

PixelFormat surfacePixelFormat(D3DFORMAT format) {
    switch (format) {
    case D3DFMT_A8R8G8B8:
        return PixelFormat::A8R8G8B8;
    case D3DFMT_X8R8G8B8:
        return PixelFormat::X8R8G8B8;
    case D3DFMT_R8G8B8:
        return PixelFormat::R8G8B8;
    case D3DFMT_R5G6B5:
        return PixelFormat::R5G6B5;
    case D3DFMT_X1R5G5B5:
        return PixelFormat::X1R5G5B5;
    case D3DFMT_A1R5G5B5:
        return PixelFormat::A1R5G5B5;
    case D3DFMT_A4R4G4B4:
        return PixelFormat::A4R4G4B4;
    default:
        return PixelFormat::Unknown;
    }
}

void put16(std::vector<unsigned char>& out, std::size_t at, unsigned v) {
    out[at] = static_cast<unsigned char>(v);
    out[at + 1] = static_cast<unsigned char>(v >> 8);
}

void put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    put16(out, at, v & 0xffff);
    put16(out, at + 2, v >> 16);
}

// File header, info header and bottom-up rows padded to four bytes.
std::vector<unsigned char> bmpFile(const d3dx::RgbaImage& image) {
    const std::size_t rowSize = (std::size_t(image.width) * 3 + 3) & ~std::size_t(3);
    const std::size_t headers = 14 + 40;
    std::vector<unsigned char> out(headers + rowSize * std::size_t(image.height), 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, std::uint32_t(out.size()));
    put32(out, 10, std::uint32_t(headers));
    put32(out, 14, 40);
    put32(out, 18, std::uint32_t(image.width));
    put32(out, 22, std::uint32_t(image.height));
    put16(out, 26, 1);  // planes
    put16(out, 28, 24); // bits per pixel
    put32(out, 34, std::uint32_t(rowSize * std::size_t(image.height)));
    put32(out, 38, 2835); // 72 dpi
    put32(out, 42, 2835);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* row = &out[headers + rowSize * std::size_t(image.height - 1 - y)];
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.at(x, y);
            row[3 * x] = p[2];
            row[3 * x + 1] = p[1];
            row[3 * x + 2] = p[0];
        }
    }
    return out;
}

HRESULT saveSurface(const char* pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                    IDirect3DSurface8* pSrcSurface, const PALETTEENTRY* pSrcPalette,
                    const RECT* pSrcRect) {
    (void)pSrcPalette; // palette formats are not saved
    if (!pDestFile || !pSrcSurface || DestFormat != D3DXIFF_BMP) {
        return D3DERR_INVALIDCALL;
    }
    D3DSURFACE_DESC desc;
    HRESULT hr = pSrcSurface->GetDesc(&desc);
    if (FAILED(hr)) {
        return hr;
    }
    const PixelFormat format = surfacePixelFormat(desc.Format);
    RECT area = {0, 0, LONG(desc.Width), LONG(desc.Height)};
    if (pSrcRect) {
        area = *pSrcRect;
    }
    if (format == PixelFormat::Unknown || area.left < 0 || area.top < 0 ||
        area.right <= area.left || area.bottom <= area.top || UINT(area.right) > desc.Width ||
        UINT(area.bottom) > desc.Height) {
        return D3DERR_INVALIDCALL;
    }
    D3DLOCKED_RECT locked;
    hr = pSrcSurface->LockRect(&locked, pSrcRect ? &area : nullptr, D3DLOCK_READONLY);
    if (FAILED(hr)) {
        return hr;
    }
    d3dx::RgbaImage image;
    d3dx::decodeLevel(format, static_cast<const std::uint8_t*>(locked.pBits),
                      std::size_t(locked.Pitch), int(area.right - area.left),
                      int(area.bottom - area.top), image);
    pSrcSurface->UnlockRect();

    const std::vector<unsigned char> bytes = bmpFile(image);
    std::FILE* file = std::fopen(pDestFile, "wb");
    if (!file) {
        return D3DERR_INVALIDCALL;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(pDestFile); // a cut-off file would pass for a screenshot
        return E_FAIL;
    }
    return D3D_OK;
}

} // namespace

HRESULT WINAPI D3DXSaveSurfaceToFileA(const char* pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                      IDirect3DSurface8* pSrcSurface,
                                      const PALETTEENTRY* pSrcPalette, const RECT* pSrcRect) {
    // The picture is built in memory first; running out of it is a result.
    try {
        return saveSurface(pDestFile, DestFormat, pSrcSurface, pSrcPalette, pSrcRect);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

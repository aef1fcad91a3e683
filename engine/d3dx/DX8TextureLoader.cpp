// Texture creation from an image file in memory on a Direct3D 8 device.
#include "engine/d3dx/D3dx8.h"
#include "engine/d3dx/ImageFile.h"
#include "engine/d3dx/TextureSize.h"

#include <algorithm>
#include <cstring>

namespace {

using d3dx::ImageFile;
using d3dx::ImageFileType;
using d3dx::PixelFormat;
using d3dx::RgbaImage;

struct FormatPair {
    D3DFORMAT d3d;
    PixelFormat pixel;
};

const FormatPair kFormats[] = {
    {D3DFMT_A8R8G8B8, PixelFormat::A8R8G8B8}, {D3DFMT_X8R8G8B8, PixelFormat::X8R8G8B8},
    {D3DFMT_R8G8B8, PixelFormat::R8G8B8},     {D3DFMT_R5G6B5, PixelFormat::R5G6B5},
    {D3DFMT_X1R5G5B5, PixelFormat::X1R5G5B5}, {D3DFMT_A1R5G5B5, PixelFormat::A1R5G5B5},
    {D3DFMT_A4R4G4B4, PixelFormat::A4R4G4B4}, {D3DFMT_DXT1, PixelFormat::DXT1},
    {D3DFMT_DXT2, PixelFormat::DXT2},         {D3DFMT_DXT3, PixelFormat::DXT3},
    {D3DFMT_DXT4, PixelFormat::DXT4},         {D3DFMT_DXT5, PixelFormat::DXT5},
};

PixelFormat pixelFormatOf(D3DFORMAT format) {
    for (const FormatPair& pair : kFormats) {
        if (pair.d3d == format) {
            return pair.pixel;
        }
    }
    return PixelFormat::Unknown;
}

D3DFORMAT d3dFormatOf(PixelFormat format) {
    for (const FormatPair& pair : kFormats) {
        if (pair.pixel == format) {
            return pair.d3d;
        }
    }
    return D3DFMT_UNKNOWN;
}

D3DXIMAGE_FILEFORMAT fileFormatOf(ImageFileType type) {
    switch (type) {
    case ImageFileType::Bmp:
        return D3DXIFF_BMP;
    case ImageFileType::Jpg:
        return D3DXIFF_JPG;
    case ImageFileType::Tga:
        return D3DXIFF_TGA;
    case ImageFileType::Png:
        return D3DXIFF_PNG;
    case ImageFileType::Dds:
        break;
    }
    return D3DXIFF_DDS;
}

// The size the device can take: its texture caps in the portable rules.
void fitToCaps(IDirect3DDevice8* device, UINT& width, UINT& height, UINT levels) {
    D3DCAPS8 caps;
    if (FAILED(device->GetDeviceCaps(&caps))) {
        return;
    }
    d3dx::TextureSizeRules rules;
    rules.powerOfTwo = (caps.TextureCaps & D3DPTEXTURECAPS_POW2) != 0;
    rules.nonPowerOfTwoConditional = (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) != 0;
    rules.squareOnly = (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0;
    rules.maxWidth = caps.MaxTextureWidth;
    rules.maxHeight = caps.MaxTextureHeight;
    d3dx::fitTextureSize(rules, width, height, levels);
}

struct FillRequest {
    const ImageFile* file;
    PixelFormat target;
    D3DCOLOR colorKey;
    bool scale; // false: top-left copy without scaling
};

bool fileLevelFits(const ImageFile& file, UINT level, UINT width, UINT height) {
    return file.type == ImageFileType::Dds && int(level) < file.levelCount() &&
           UINT(std::max(1, file.width >> level)) == width &&
           UINT(std::max(1, file.height >> level)) == height;
}

bool decodeFileLevel(const FillRequest& request, UINT level, RgbaImage& out) {
    if (!request.file->decode(int(level), out)) {
        return false;
    }
    if (request.colorKey != 0) {
        d3dx::applyColorKey(out, request.colorKey);
    }
    return true;
}

// Writes every level: a level the file holds in the very format and size is
// copied as it is; otherwise it is converted, and levels the file lacks are
// box-filtered from the level above.
HRESULT fillTexture(IDirect3DTexture8* texture, const FillRequest& request) {
    const ImageFile& file = *request.file;
    RgbaImage previous;
    bool havePrevious = false;
    const UINT levels = texture->GetLevelCount();
    for (UINT level = 0; level < levels; ++level) {
        D3DSURFACE_DESC desc;
        HRESULT hr = texture->GetLevelDesc(level, &desc);
        if (FAILED(hr)) {
            return hr;
        }
        const bool fromFile = fileLevelFits(file, level, desc.Width, desc.Height);
        const bool copyAsIs = fromFile && request.target == file.format && request.colorKey == 0;
        RgbaImage image;
        if (!copyAsIs) {
            bool ok = true;
            if (fromFile) {
                ok = decodeFileLevel(request, level, image);
            } else if (level == 0) {
                ok = decodeFileLevel(request, 0, image);
                image = d3dx::fitImage(image, int(desc.Width), int(desc.Height), request.scale);
            } else {
                if (!havePrevious) {
                    ok = decodeFileLevel(request, level - 1, previous);
                }
                if (ok) {
                    image = d3dx::fitImage(d3dx::halveBox(previous), int(desc.Width),
                                           int(desc.Height), true);
                }
            }
            if (!ok) {
                return D3DXERR_INVALIDDATA;
            }
        }
        D3DLOCKED_RECT locked;
        hr = texture->LockRect(level, &locked, nullptr, 0);
        if (FAILED(hr)) {
            return hr;
        }
        auto* bits = static_cast<std::uint8_t*>(locked.pBits);
        if (copyAsIs) {
            const std::size_t rowSize = d3dx::rowBytes(file.format, int(desc.Width));
            const std::uint8_t* src = file.levels[level];
            for (int row = 0; row < d3dx::rowCount(file.format, int(desc.Height)); ++row) {
                std::memcpy(bits + std::size_t(locked.Pitch) * std::size_t(row),
                            src + rowSize * std::size_t(row), rowSize);
            }
            havePrevious = false;
        } else {
            d3dx::encodeLevel(request.target, image, bits, std::size_t(locked.Pitch));
            previous = std::move(image);
            havePrevious = true;
        }
        texture->UnlockRect(level);
    }
    return D3D_OK;
}

// A texture already exists while its levels are filled: it must be released
// whatever happens, so allocation failures become a result here.
HRESULT fillTextureSafely(IDirect3DTexture8* texture, const FillRequest& request) {
    try {
        return fillTexture(texture, request);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT createTexture(IDirect3DDevice8* pDevice, const void* pSrcData, UINT SrcDataSize, UINT Width,
                      UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                      DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                      PALETTEENTRY* pPalette, IDirect3DTexture8** ppTexture) {
    (void)MipFilter; // mip levels are always box-filtered
    (void)pPalette;  // no palette formats are produced
    if (!pDevice || !pSrcData || SrcDataSize == 0 || !ppTexture) {
        return D3DERR_INVALIDCALL;
    }
    *ppTexture = nullptr;

    ImageFile file;
    if (!d3dx::readImageFile(pSrcData, SrcDataSize, file)) {
        return D3DXERR_INVALIDDATA;
    }
    if (pSrcInfo) {
        pSrcInfo->Width = UINT(file.width);
        pSrcInfo->Height = UINT(file.height);
        pSrcInfo->Depth = 1;
        pSrcInfo->MipLevels = UINT(file.levelCount());
        pSrcInfo->Format = d3dFormatOf(file.format);
        pSrcInfo->ResourceType = D3DRTYPE_TEXTURE;
        pSrcInfo->ImageFileFormat = fileFormatOf(file.type);
    }

    const D3DFORMAT format = Format == D3DFMT_UNKNOWN ? d3dFormatOf(file.format) : Format;
    FillRequest request{&file, pixelFormatOf(format), ColorKey,
                        (Filter & 0xff) != D3DX_FILTER_NONE};
    if (request.target == PixelFormat::Unknown) {
        return D3DERR_INVALIDCALL;
    }
    UINT width = (Width == 0 || Width == D3DX_DEFAULT) ? UINT(file.width) : Width;
    UINT height = (Height == 0 || Height == D3DX_DEFAULT) ? UINT(file.height) : Height;
    const bool fullChain = MipLevels == 0 || MipLevels == D3DX_DEFAULT;
    fitToCaps(pDevice, width, height, fullChain ? 0 : MipLevels);
    const UINT chain = UINT(d3dx::fullChainLength(int(width), int(height)));
    const UINT levels = fullChain ? chain : std::min(MipLevels, chain);

    IDirect3DTexture8* texture = nullptr;
    HRESULT hr = pDevice->CreateTexture(width, height, levels, Usage, format, Pool, &texture);
    if (FAILED(hr)) {
        return hr;
    }
    if (Pool == D3DPOOL_DEFAULT) {
        // Default-pool textures cannot be locked: fill a system-memory copy and upload it.
        IDirect3DTexture8* staging = nullptr;
        hr = pDevice->CreateTexture(width, height, levels, 0, format, D3DPOOL_SYSTEMMEM, &staging);
        if (SUCCEEDED(hr)) {
            hr = fillTextureSafely(staging, request);
            if (SUCCEEDED(hr)) {
                hr = pDevice->UpdateTexture(staging, texture);
            }
            staging->Release();
        }
    } else {
        hr = fillTextureSafely(texture, request);
    }
    if (FAILED(hr)) {
        texture->Release();
        return hr;
    }
    *ppTexture = texture;
    return D3D_OK;
}

} // namespace

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* pDevice, const void* pSrcData,
                                                   UINT SrcDataSize, UINT Width, UINT Height,
                                                   UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                                   D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                                   D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                                   PALETTEENTRY* pPalette,
                                                   IDirect3DTexture8** ppTexture) {
    // Decoding allocates; running out of memory is a result, not an exception.
    try {
        return createTexture(pDevice, pSrcData, SrcDataSize, Width, Height, MipLevels, Usage,
                             Format, Pool, Filter, MipFilter, ColorKey, pSrcInfo, pPalette,
                             ppTexture);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

#pragma once
// Our own stand-in for the Direct3D 8 utility calls the engine core and the
// rendering layer make: exactly the names, types and calls we use, nothing
// more. Windows only; built as the `engine_d3dx` library.

#include <d3d8.h>

// Asks for the image's own size, a full mip chain or the default filter.
#define D3DX_DEFAULT ((UINT)-1)

// Image filters: NONE copies into the top-left corner without scaling.
#define D3DX_FILTER_NONE (1 << 0)
#define D3DX_FILTER_POINT (2 << 0)
#define D3DX_FILTER_LINEAR (3 << 0)
#define D3DX_FILTER_TRIANGLE (4 << 0)
#define D3DX_FILTER_BOX (5 << 0)

// Image data that cannot be decoded.
#define D3DXERR_INVALIDDATA MAKE_HRESULT(1, 0x876, 2905)

// Image file formats, as reported in D3DXIMAGE_INFO and accepted by the saver.
typedef enum _D3DXIMAGE_FILEFORMAT {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

// What the image file held: its own size, mip count and pixel format.
typedef struct _D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
} D3DXIMAGE_INFO;

// A 4 x 4 float matrix laid out exactly as D3DMATRIX (row vectors, _41.._43 = translation).
struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
    explicit D3DXMATRIX(const D3DMATRIX& other) : D3DMATRIX(other) {}
    float& operator()(UINT row, UINT col) { return m[row][col]; }
    float operator()(UINT row, UINT col) const { return m[row][col]; }
};

// Creates a texture from a PNG, BMP, TGA, JPEG or DDS file held in memory.
// Format D3DFMT_UNKNOWN keeps the file's own format; Width/Height D3DX_DEFAULT
// (or 0) take the image's size, rounded up where the device's caps demand it;
// MipLevels 0 or D3DX_DEFAULT build the full chain. Filter D3DX_FILTER_NONE
// puts the image into the top-left corner of a larger texture, any other
// filter point-samples it to fit. Mip levels the file lacks are always box
// filtered (MipFilter is not used); pixels equal to a non-zero ColorKey become
// transparent black. pSrcInfo (optional) receives the file's own size, format
// and mip count. pPalette is not used (no palette formats).
HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* pDevice, const void* pSrcData,
                                                   UINT SrcDataSize, UINT Width, UINT Height,
                                                   UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                                   D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                                   D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                                   PALETTEENTRY* pPalette,
                                                   IDirect3DTexture8** ppTexture);

// Writes a lockable surface (or the pSrcRect part of it) as a 24-bit BMP file;
// D3DXIFF_BMP is the only format written.
HRESULT WINAPI D3DXSaveSurfaceToFileA(const char* pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                      IDirect3DSurface8* pSrcSurface,
                                      const PALETTEENTRY* pSrcPalette, const RECT* pSrcRect);

// Left-handed orthographic projection of the box l..r, b..t, zn..zf.
D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                              FLOAT zn, FLOAT zf);

// Scaling by sx, sy, sz.
D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz);

// Translation by x, y, z.
D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z);

// Rotation about the z axis by angle radians (x towards y).
D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT angle);

// pM1 then pM2 (row vectors: v * pM1 * pM2); pOut may alias either input.
D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1,
                                      const D3DXMATRIX* pM2);

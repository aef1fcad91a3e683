#pragma once
// Textures from encoded images in memory, made one way for the engine's
// Gfx_LoadTexture and the rendering layer's textures. Windows only.

#include "engine/d3dx/D3dx8.h"

#include <cstdint>

// A managed texture of the image: DDS files first ask for their own format,
// then A8R8G8B8, other images the other way round; a full mip chain only
// when `mipmaps`; no image filter, default mip filter, no colour key. Null
// when both attempts fail. `info` receives the source image's description.
IDirect3DTexture8* createTextureFromImage(IDirect3DDevice8* device, const void* data, uint32_t size,
                                          bool mipmaps, D3DXIMAGE_INFO* info);

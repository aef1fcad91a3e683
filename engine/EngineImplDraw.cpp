// Scenes and batched 2D drawing: lines, triangles and quads go through one
// dynamic vertex buffer; a batch is drawn when the primitive kind, textures,
// blend mode or capacity change.
#include "engine/EngineImpl.h"

#include <cstring>

#include "engine/DisplayModes.h"
#include "engine/DrawState.h"
#include "engine/d3dx/D3dx8.h"

namespace {

IDirect3DTexture8* asTexture(EngineTexture texture) {
    return reinterpret_cast<IDirect3DTexture8*>(texture);
}

} // namespace

bool EngineImpl::Gfx_BeginScene(EngineTarget* target) {
    if (device == nullptr) {
        return false;
    }
    const HRESULT level = device->TestCooperativeLevel();
    if (level == D3DERR_DEVICELOST) {
        return false;
    }
    if (level == D3DERR_DEVICENOTRESET) {
        if (windowed) {
            D3DDISPLAYMODE desktop;
            if (FAILED(d3d->GetAdapterDisplayMode(0, &desktop)) ||
                desktop.Format == D3DFMT_UNKNOWN) {
                fail("Can't determine desktop video mode");
                return false;
            }
            windowedPresentation.BackBufferFormat = desktop.Format;
            screenDepth = displayFormatRank(desktop.Format) < 4 ? 16 : 32;
        }
        if (!restoreDevice()) {
            return false;
        }
    }
    if (lockedVertices != nullptr) {
        fail("Gfx_BeginScene: Scene is already being rendered");
        return false;
    }
    // A failed re-creation of the device resources leaves them missing: try again.
    if (vertexBuffer == nullptr && !restoreDevice()) {
        return false;
    }

    if (target != currentTarget || !targetStateKnown) {
        IDirect3DSurface8* colour = screenSurface;
        IDirect3DSurface8* depth = screenDepthSurface;
        IDirect3DSurface8* level0 = nullptr;
        if (target != nullptr) {
            if (target->texture == nullptr ||
                FAILED(target->texture->GetSurfaceLevel(0, &level0))) {
                fail("Gfx_BeginScene: Can't set render target");
                return false;
            }
            colour = level0;
            depth = target->depth;
        }
        if (FAILED(device->SetRenderTarget(colour, depth))) {
            if (level0 != nullptr) {
                level0->Release();
            }
            fail("Gfx_BeginScene: Can't set render target");
            return false;
        }
        if (level0 != nullptr) {
            level0->Release();
        }
        const bool useDepth = target != nullptr ? target->depth != nullptr : depthBuffer;
        device->SetRenderState(D3DRS_ZENABLE, useDepth ? D3DZB_TRUE : D3DZB_FALSE);
        if (target != nullptr) {
            setProjection(target->width, target->height);
        } else {
            setProjection(screenWidth, screenHeight);
        }
        device->SetTransform(D3DTS_PROJECTION, &projectionMatrix);
        setIdentity(viewMatrix);
        device->SetTransform(D3DTS_VIEW, &viewMatrix);
        currentTarget = target;
        targetStateKnown = true;
    }

    device->BeginScene();
    BYTE* vertices = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &vertices, 0))) {
        device->EndScene();
        return false;
    }
    lockedVertices = reinterpret_cast<EngineVertex*>(vertices);
    return true;
}

void EngineImpl::Gfx_EndScene() {
    if (device == nullptr) {
        return;
    }
    flush(true);
    device->EndScene();
    if (screenSurface != nullptr) {
        // Reading the surface back makes the driver finish the frame before presenting.
        D3DLOCKED_RECT locked;
        if (SUCCEEDED(screenSurface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            screenSurface->UnlockRect();
        }
    }
    if (currentTarget == nullptr) {
        device->Present(nullptr, nullptr, nullptr, nullptr);
        ++presentCount;
    }
}

void EngineImpl::Gfx_Clear(uint32_t colour) {
    if (device == nullptr) {
        return;
    }
    if (primitiveCount > 0) {
        flush(false); // what was drawn before the clear lies under it
    }
    const bool useDepth = currentTarget != nullptr ? currentTarget->depth != nullptr : depthBuffer;
    // The device clears only the viewport; a clip rectangle must not limit the clear.
    D3DVIEWPORT8 clip;
    device->GetViewport(&clip);
    D3DVIEWPORT8 whole = clip;
    whole.X = 0;
    whole.Y = 0;
    whole.Width = static_cast<DWORD>(currentTarget != nullptr ? currentTarget->width : screenWidth);
    whole.Height =
        static_cast<DWORD>(currentTarget != nullptr ? currentTarget->height : screenHeight);
    device->SetViewport(&whole);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | (useDepth ? D3DCLEAR_ZBUFFER : 0), colour, 1.0f, 0);
    device->SetViewport(&clip);
}

void EngineImpl::drawPrimitives(D3DPRIMITIVETYPE type, UINT count, bool indexed) {
    if (indexed) {
        device->DrawIndexedPrimitive(type, 0, count * 4, 0, count * 2);
        lastDrawPrimitiveCount = count * 2;
    } else {
        device->DrawPrimitive(type, 0, count);
        lastDrawPrimitiveCount = count;
    }
    lastDrawType = type;
    ++drawCallCount;
}

void EngineImpl::flush(bool endOfScene) {
    if (lockedVertices == nullptr) {
        return;
    }
    vertexBuffer->Unlock();
    if (primitiveCount > 0) {
        switch (primitiveType) {
        case EnginePrimLines:
            drawPrimitives(D3DPT_LINELIST, primitiveCount, false);
            break;
        case EnginePrimTriangles:
            drawPrimitives(D3DPT_TRIANGLELIST, primitiveCount, false);
            break;
        case EnginePrimQuads:
            drawPrimitives(D3DPT_TRIANGLELIST, primitiveCount, true);
            break;
        default:
            break;
        }
        primitiveCount = 0;
    }
    if (endOfScene) {
        lockedVertices = nullptr;
        return;
    }
    BYTE* vertices = nullptr;
    lockedVertices = SUCCEEDED(vertexBuffer->Lock(0, 0, &vertices, 0))
                         ? reinterpret_cast<EngineVertex*>(vertices)
                         : nullptr;
}

void EngineImpl::applyBlend(int blend) {
    if (blend & EngineBlendExplicit) {
        device->SetRenderState(D3DRS_SRCBLEND, explicitSourceFactor(blend));
        device->SetRenderState(D3DRS_DESTBLEND, explicitDestFactor(blend));
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    } else {
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        // After an explicit mode, or with nothing recorded yet, the recorded bits
        // 1, 2 and 4 say nothing about the device: set all three.
        const bool unknown = blendMode == unknownBlendMode || (blendMode & EngineBlendExplicit);
        const int changed = unknown ? ~0 : blend ^ blendMode;
        if (changed & EngineBlendAlpha) {
            device->SetRenderState(
                D3DRS_DESTBLEND, (blend & EngineBlendAlpha) ? D3DBLEND_INVSRCALPHA : D3DBLEND_ONE);
        }
        if (changed & EngineBlendDepthWrite) {
            device->SetRenderState(D3DRS_ZWRITEENABLE,
                                   (blend & EngineBlendDepthWrite) ? TRUE : FALSE);
        }
        if (changed & EngineBlendColourAdd) {
            device->SetTextureStageState(
                0, D3DTSS_COLOROP, (blend & EngineBlendColourAdd) ? D3DTOP_ADD : D3DTOP_MODULATE);
        }
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    }
    blendMode = blend;
}

void EngineImpl::bindTexture(DWORD stage, IDirect3DTexture8* texture) {
    if (device != nullptr) {
        device->SetTexture(stage, texture);
    }
    (stage == 0 ? boundTexture : boundTexture2) = texture;
}

void EngineImpl::Gfx_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour, float z) {
    if (lockedVertices == nullptr) {
        return;
    }
    if (primitiveType != EnginePrimLines || primitiveCount >= maxLines || boundTexture != nullptr ||
        boundTexture2 != nullptr || blendMode != EngineBlendDefault) {
        flush(false);
        primitiveType = EnginePrimLines;
        if (blendMode != EngineBlendDefault) {
            applyBlend(EngineBlendDefault);
        }
        if (boundTexture != nullptr) {
            bindTexture(0, nullptr);
        }
        if (boundTexture2 != nullptr) {
            bindTexture(1, nullptr);
        }
    }
    EngineVertex* v = lockedVertices + primitiveCount * EnginePrimLines;
    memset(v, 0, sizeof(EngineVertex) * 2);
    v[0].x = x1;
    v[0].y = y1;
    v[1].x = x2;
    v[1].y = y2;
    v[0].z = v[1].z = z;
    v[0].colour = v[1].colour = colour;
    ++primitiveCount;
}

void EngineImpl::Gfx_DrawTriangle(const EngineTriangle* triangle) {
    if (lockedVertices == nullptr) {
        return;
    }
    IDirect3DTexture8* texture = asTexture(triangle->texture);
    if (primitiveType != EnginePrimTriangles || primitiveCount >= maxTriangles ||
        texture != boundTexture || triangle->blend != blendMode) {
        flush(false);
        primitiveType = EnginePrimTriangles;
        if (triangle->blend != blendMode) {
            applyBlend(triangle->blend);
        }
        if (texture != boundTexture) {
            bindTexture(0, texture);
        }
        if (boundTexture2 != nullptr) {
            bindTexture(1, nullptr);
        }
    }
    memcpy(lockedVertices + primitiveCount * EnginePrimTriangles, triangle->v,
           sizeof(EngineVertex) * 3);
    ++primitiveCount;
}

void EngineImpl::Gfx_DrawQuad(const EngineQuad* quad, int) {
    Gfx_DrawQuadLayered(quad);
}

void EngineImpl::Gfx_DrawQuadLayered(const EngineQuad* quad) {
    if (lockedVertices == nullptr) {
        return;
    }
    IDirect3DTexture8* texture = asTexture(quad->texture);
    IDirect3DTexture8* texture2 = asTexture(quad->texture2);
    if (primitiveType != EnginePrimQuads || primitiveCount >= maxQuads || texture != boundTexture ||
        texture2 != boundTexture2 || quad->blend != blendMode) {
        flush(false);
        primitiveType = EnginePrimQuads;
        if (quad->blend != blendMode) {
            applyBlend(quad->blend);
        }
        if (texture != boundTexture) {
            bindTexture(0, texture);
        }
        if (texture2 != boundTexture2) {
            bindTexture(1, texture2);
        }
    }
    if (texture2 != nullptr) {
        const float a = static_cast<float>(Gfx_TextureWidth(quad->texture2, false)) *
                        (quad->v[1].tu2 - quad->v[0].tu2);
        const float b = static_cast<float>(Gfx_TextureHeight(quad->texture2, false)) *
                        (quad->v[2].tv2 - quad->v[1].tv2);
        const float c = static_cast<float>(Gfx_TextureWidth(quad->texture, false)) *
                        (quad->v[1].tu - quad->v[0].tu);
        const float d = static_cast<float>(Gfx_TextureHeight(quad->texture, false)) *
                        (quad->v[2].tv - quad->v[1].tv);
        D3DXMATRIX layer;
        D3DXMatrixScaling(&layer, c / a / quad->scaleX2, d / b / quad->scaleY2, 1.0f);
        if (quad->offsetX2 != 0.0f || quad->offsetY2 != 0.0f) {
            // Texture coordinates are (u, v, 1): the third row translates them.
            layer._31 = -quad->offsetX2;
            layer._32 = -quad->offsetY2;
        }
        device->SetTransform(D3DTS_TEXTURE1, &layer);
    }
    memcpy(lockedVertices + primitiveCount * EnginePrimQuads, quad->v, sizeof(EngineVertex) * 4);
    ++primitiveCount;
}

EngineVertex* EngineImpl::Gfx_BeginBatch(int type, EngineTexture texture, EngineTexture texture2,
                                         int blend, int* maxCount) {
    if (lockedVertices == nullptr) {
        return nullptr;
    }
    flush(false);
    primitiveType = type;
    if (blend != blendMode) {
        applyBlend(blend);
    }
    if (asTexture(texture) != boundTexture) {
        bindTexture(0, asTexture(texture));
        if (asTexture(texture2) != boundTexture2) {
            bindTexture(1, asTexture(texture2));
        }
    }
    if (maxCount != nullptr) {
        *maxCount = type > 0 ? vertexCapacity / type : 0;
    }
    return lockedVertices;
}

void EngineImpl::Gfx_EndBatch(int count) {
    primitiveCount = count;
}

void EngineImpl::Gfx_SetClipRect(int x, int y, int w, int h) {
    if (device == nullptr) {
        return;
    }
    const int referenceWidth = currentTarget != nullptr ? currentTarget->width : screenWidth;
    const int referenceHeight = currentTarget != nullptr ? currentTarget->height : screenHeight;
    const ClipViewport clip = clipViewport(x, y, w, h, referenceWidth, referenceHeight);
    D3DVIEWPORT8 viewport;
    viewport.X = clip.x;
    viewport.Y = clip.y;
    viewport.Width = clip.w;
    viewport.Height = clip.h;
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 1.0f;
    flush(false);
    device->SetViewport(&viewport);

    D3DXMATRIX scaling;
    D3DXMATRIX translation;
    D3DXMATRIX ortho;
    D3DXMatrixScaling(&scaling, 1.0f, -1.0f, 1.0f);
    D3DXMatrixTranslation(&translation, -0.5f, 0.5f, 0.0f);
    D3DXMatrixOrthoOffCenterLH(
        &ortho, static_cast<float>(clip.x), static_cast<float>(clip.x + clip.w),
        -static_cast<float>(clip.y + clip.h), -static_cast<float>(clip.y), 0.0f, 1.0f);
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &scaling, &translation);
    D3DXMatrixMultiply(&product, &product, &ortho);
    projectionMatrix = product;
    device->SetTransform(D3DTS_PROJECTION, &projectionMatrix);
}

void EngineImpl::Gfx_SetViewTransform(float x, float y, float dx, float dy, float rotation,
                                      float hscale, float vscale) {
    if (vscale == 0.0f) {
        setIdentity(viewMatrix);
    } else {
        D3DXMATRIX step;
        D3DXMATRIX product;
        D3DXMatrixTranslation(&product, -x, -y, 0.0f);
        D3DXMatrixScaling(&step, hscale, vscale, 1.0f);
        D3DXMatrixMultiply(&product, &product, &step);
        D3DXMatrixRotationZ(&step, -rotation);
        D3DXMatrixMultiply(&product, &product, &step);
        D3DXMatrixTranslation(&step, x + dx, y + dy, 0.0f);
        D3DXMatrixMultiply(&product, &product, &step);
        viewMatrix = product;
    }
    if (device != nullptr) {
        flush(false);
        device->SetTransform(D3DTS_VIEW, &viewMatrix);
    }
}

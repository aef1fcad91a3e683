// The Direct3D 8 device: creation with the windowed and full-screen
// presentation parameters, the device-dependent resources, restore after a
// loss or mode change, window placement and release.
#include "engine/EngineImpl.h"

#include <vector>

#include "engine/DisplayModes.h"
#include "engine/d3dx/D3dx8.h"

namespace {

// The SDK version the device interfaces were written against.
const UINT sdkVersion = 120;
const DWORD vertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;

typedef IDirect3D8*(WINAPI* CreateDirect3D)(UINT);

// Loaded once and never unloaded: textures handed out may be released after
// shutdown, and their methods live in this library.
HMODULE direct3dLibrary() {
    static const HMODULE library = LoadLibraryA("d3d8.dll");
    return library;
}

template <class T> void releaseAndClear(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

void setIdentity(D3DMATRIX& matrix) {
    ZeroMemory(&matrix, sizeof(matrix));
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
}

bool EngineImpl::initGraphics() {
    // d3d8.dll is loaded at run time: the 64-bit toolchain has no import library for it.
    const HMODULE library = direct3dLibrary();
    CreateDirect3D create = library == nullptr
                                ? nullptr
                                : reinterpret_cast<CreateDirect3D>(reinterpret_cast<void*>(
                                      GetProcAddress(library, "Direct3DCreate8")));
    d3d = create != nullptr ? create(sdkVersion) : nullptr;
    if (d3d == nullptr) {
        fail("Can't create D3D interface");
        return false;
    }

    D3DADAPTER_IDENTIFIER8 identifier;
    ZeroMemory(&identifier, sizeof(identifier));
    d3d->GetAdapterIdentifier(0, D3DENUM_NO_WHQL_LEVEL, &identifier);
    System_WriteLog("D3D Driver: %s", identifier.Driver);
    System_WriteLog("Description: %s", identifier.Description);
    System_WriteLog("Version: %d.%d.%d.%d", HIWORD(identifier.DriverVersion.HighPart),
                    LOWORD(identifier.DriverVersion.HighPart),
                    HIWORD(identifier.DriverVersion.LowPart),
                    LOWORD(identifier.DriverVersion.LowPart));

    D3DCAPS8 caps;
    ZeroMemory(&caps, sizeof(caps));
    d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps);
    System_WriteLog("MaxSimultaneousTextures: %d", static_cast<int>(caps.MaxSimultaneousTextures));
    if (caps.MaxSimultaneousTextures < 2) {
        fail("Single pass multitexturing not supported");
        return false;
    }

    D3DDISPLAYMODE desktop;
    if (FAILED(d3d->GetAdapterDisplayMode(0, &desktop)) || desktop.Format == D3DFMT_UNKNOWN) {
        fail("Can't determine desktop video mode");
        if (windowed) {
            return false;
        }
        desktop.Format = D3DFMT_UNKNOWN;
    }

    const D3DSWAPEFFECT windowedSwap =
        frameRate == -1 ? D3DSWAPEFFECT_COPY_VSYNC : D3DSWAPEFFECT_COPY;
    ZeroMemory(&windowedPresentation, sizeof(windowedPresentation));
    windowedPresentation.BackBufferWidth = screenWidth;
    windowedPresentation.BackBufferHeight = screenHeight;
    windowedPresentation.BackBufferFormat = desktop.Format;
    windowedPresentation.BackBufferCount = 1;
    windowedPresentation.MultiSampleType = D3DMULTISAMPLE_NONE;
    windowedPresentation.SwapEffect = windowedSwap;
    windowedPresentation.hDeviceWindow = window;
    windowedPresentation.Windowed = TRUE;
    windowedPresentation.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    if (depthBuffer) {
        windowedPresentation.EnableAutoDepthStencil = TRUE;
        windowedPresentation.AutoDepthStencilFormat = D3DFMT_D16;
    }

    std::vector<DisplayMode> modes;
    const UINT modeCount = d3d->GetAdapterModeCount(0);
    for (UINT i = 0; i < modeCount; ++i) {
        D3DDISPLAYMODE mode;
        if (SUCCEEDED(d3d->EnumAdapterModes(0, i, &mode))) {
            modes.push_back({static_cast<int>(mode.Width), static_cast<int>(mode.Height),
                             static_cast<uint32_t>(mode.Format)});
        }
    }
    bestFullScreenFormat = static_cast<D3DFORMAT>(
        chooseFullScreenMode(modes.data(), modes.size(), screenWidth, screenHeight, screenDepth));
    if (bestFullScreenFormat == D3DFMT_UNKNOWN) {
        fail("Can't find appropriate full screen video mode");
        if (!windowed) {
            return false;
        }
    }

    const int frameWidth = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int frameHeight = GetSystemMetrics(SM_CYFIXEDFRAME);
    windowedRect.right = windowedRect.left + screenWidth + frameWidth * 2;
    windowedRect.bottom =
        windowedRect.top + screenHeight + GetSystemMetrics(SM_CYCAPTION) + frameHeight * 2;
    if (parentWindow != nullptr) {
        // A child window has no frame of its own.
        windowedRect.right = windowedRect.left + screenWidth;
        windowedRect.bottom = windowedRect.top + screenHeight;
    }
    SetRect(&fullScreenRect, 0, 0, screenWidth, screenHeight);

    ZeroMemory(&fullScreenPresentation, sizeof(fullScreenPresentation));
    fullScreenPresentation.BackBufferWidth = screenWidth;
    fullScreenPresentation.BackBufferHeight = screenHeight;
    fullScreenPresentation.BackBufferFormat = bestFullScreenFormat;
    fullScreenPresentation.BackBufferCount = 1;
    fullScreenPresentation.MultiSampleType = D3DMULTISAMPLE_NONE;
    fullScreenPresentation.hDeviceWindow = window;
    fullScreenPresentation.Windowed = FALSE;
    fullScreenPresentation.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    fullScreenPresentation.FullScreen_RefreshRateInHz = 0; // the default rate
    if (frameRate == -1) {
        fullScreenPresentation.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
        fullScreenPresentation.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
    } else {
        fullScreenPresentation.SwapEffect = D3DSWAPEFFECT_FLIP;
        fullScreenPresentation.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    }
    if (depthBuffer) {
        fullScreenPresentation.EnableAutoDepthStencil = TRUE;
        fullScreenPresentation.AutoDepthStencilFormat = D3DFMT_D16;
    }
    windowedPresentation.BackBufferWidth = screenWidth;
    windowedPresentation.BackBufferHeight = screenHeight;

    presentation = windowed ? &windowedPresentation : &fullScreenPresentation;
    screenDepth = presentation->BackBufferFormat == D3DFMT_A8R8G8B8 ||
                          presentation->BackBufferFormat == D3DFMT_X8R8G8B8
                      ? 32
                      : 16;

    if (FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                 presentation, &device))) {
        device = nullptr;
        fail("Can't create D3D device");
        return false;
    }

    adjustWindow();
    System_WriteLog("Mode: %d x %d x %s\n", screenWidth, screenHeight,
                    displayFormatName(bestFullScreenFormat));

    lockedVertices = nullptr;
    textures = nullptr;
    setProjection(screenWidth, screenHeight);
    setIdentity(viewMatrix);

    if (!createDeviceResources()) {
        return false;
    }
    Gfx_Clear(0);
    return true;
}

void EngineImpl::setProjection(int width, int height) {
    D3DXMATRIX scaling;
    D3DXMATRIX translation;
    D3DXMATRIX ortho;
    D3DXMatrixScaling(&scaling, 1.0f, -1.0f, 1.0f);
    D3DXMatrixTranslation(&translation, -0.5f, static_cast<float>(height) + 0.5f, 0.0f);
    D3DXMatrixOrthoOffCenterLH(&ortho, 0.0f, static_cast<float>(width), 0.0f,
                               static_cast<float>(height), 0.0f, 1.0f);
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &scaling, &translation);
    D3DXMatrixMultiply(&product, &product, &ortho);
    projectionMatrix = product;
}

bool EngineImpl::createDeviceResources() {
    device->GetRenderTarget(&screenSurface);
    if (FAILED(device->GetDepthStencilSurface(&screenDepthSurface))) {
        screenDepthSurface = nullptr;
    }

    for (EngineTarget* target = targets; target != nullptr; target = target->next) {
        if (FAILED(device->CreateTexture(target->width, target->height, 1, D3DUSAGE_RENDERTARGET,
                                         presentation->BackBufferFormat, D3DPOOL_DEFAULT,
                                         &target->texture))) {
            target->texture = nullptr;
        }
        if (target->withDepth &&
            FAILED(device->CreateDepthStencilSurface(target->width, target->height, D3DFMT_D16,
                                                     D3DMULTISAMPLE_NONE, &target->depth))) {
            target->depth = nullptr;
        }
    }

    if (FAILED(device->CreateVertexBuffer(vertexCapacity * sizeof(EngineVertex), D3DUSAGE_WRITEONLY,
                                          vertexFormat, D3DPOOL_DEFAULT, &vertexBuffer))) {
        vertexBuffer = nullptr;
        fail("Can't create D3D vertex buffer");
        return false;
    }
    device->SetVertexShader(vertexFormat);
    device->SetStreamSource(0, vertexBuffer, sizeof(EngineVertex));

    if (FAILED(device->CreateIndexBuffer(maxQuads * 6 * sizeof(WORD), D3DUSAGE_WRITEONLY,
                                         D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indexBuffer))) {
        indexBuffer = nullptr;
        fail("Can't create D3D index buffer");
        return false;
    }
    BYTE* locked = nullptr;
    if (FAILED(indexBuffer->Lock(0, 0, &locked, 0))) {
        fail("Can't lock D3D index buffer");
        return false;
    }
    WORD* index = reinterpret_cast<WORD*>(locked);
    for (int quad = 0; quad < maxQuads; ++quad) {
        const WORD first = static_cast<WORD>(quad * 4);
        *index++ = first;
        *index++ = first + 1;
        *index++ = first + 2;
        *index++ = first + 2;
        *index++ = first + 3;
        *index++ = first;
    }
    indexBuffer->Unlock();
    device->SetIndices(indexBuffer, 0);

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 1);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);

    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT);
    const DWORD filter = linearFiltering ? D3DTEXF_LINEAR : D3DTEXF_POINT;
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
    const DWORD address = clampTextures ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, address);
    device->SetTextureStageState(0, D3DTSS_ADDRESSV, address);

    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    device->SetTextureStageState(1, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(1, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(1, D3DTSS_BORDERCOLOR, 0);

    primitiveCount = 0;
    primitiveType = EnginePrimQuads;
    blendMode = unknownBlendMode;
    // A new or reset device draws to its back buffer with the screen's
    // projection; the next scene sets whatever target it asks for.
    currentTarget = nullptr;
    targetStateKnown = false;
    boundTexture = nullptr;
    boundTexture2 = nullptr;
    device->SetTransform(D3DTS_VIEW, &viewMatrix);
    device->SetTransform(D3DTS_PROJECTION, &projectionMatrix);
    return true;
}

void EngineImpl::releaseDeviceResources() {
    releaseAndClear(screenSurface);
    releaseAndClear(screenDepthSurface);
    // Target records stay: the next resource creation gives them new surfaces.
    for (EngineTarget* target = targets; target != nullptr; target = target->next) {
        releaseAndClear(target->texture);
        releaseAndClear(target->depth);
    }
    if (indexBuffer != nullptr) {
        device->SetIndices(nullptr, 0);
        releaseAndClear(indexBuffer);
    }
    if (vertexBuffer != nullptr) {
        if (lockedVertices != nullptr) {
            vertexBuffer->Unlock();
            lockedVertices = nullptr;
        }
        device->SetStreamSource(0, nullptr, sizeof(EngineVertex));
        releaseAndClear(vertexBuffer);
    }
}

bool EngineImpl::restoreDevice() {
    if (device == nullptr) {
        return false;
    }
    releaseDeviceResources();
    device->Reset(presentation);
    if (!createDeviceResources()) {
        return false;
    }
    return deviceRestoredCallback != nullptr ? deviceRestoredCallback() : true;
}

void EngineImpl::adjustWindow() {
    const RECT& rect = windowed ? windowedRect : fullScreenRect;
    SetWindowLongPtrA(window, GWL_STYLE, windowed ? windowedStyle : fullScreenStyle);
    LONG_PTR extended = GetWindowLongPtrA(window, GWL_EXSTYLE);
    extended =
        windowed ? (extended & ~static_cast<LONG_PTR>(WS_EX_TOPMOST)) : (extended | WS_EX_TOPMOST);
    SetWindowLongPtrA(window, GWL_EXSTYLE, extended);
    SetWindowPos(window, windowed ? HWND_NOTOPMOST : HWND_TOPMOST, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top, SWP_FRAMECHANGED);
}

void EngineImpl::resize(int width, int height) {
    if (parentWindow == nullptr) {
        return;
    }
    windowedPresentation.BackBufferWidth = width;
    windowedPresentation.BackBufferHeight = height;
    screenWidth = width;
    screenHeight = height;
    setProjection(width, height);
    restoreDevice();
}

void EngineImpl::releaseGraphics() {
    while (textures != nullptr) {
        Gfx_FreeTexture(reinterpret_cast<EngineTexture>(textures->texture));
    }
    if (device != nullptr) {
        releaseDeviceResources();
    }
    while (targets != nullptr) {
        EngineTarget* next = targets->next;
        delete targets;
        targets = next;
    }
    currentTarget = nullptr;
    targetStateKnown = false;
    boundTexture = nullptr;
    boundTexture2 = nullptr;
    blendMode = unknownBlendMode;
    releaseAndClear(device);
    releaseAndClear(d3d);
}

// The Direct3D floor for the screensaver's benchmarks: the least a Direct3D 8
// program does to show a picture as the screensaver shows its movie. One
// full-screen window, a device with the screensaver's presentation and render
// states, one managed texture of a single colour drawn as one quad from the
// same vertex format, presented in step with the display until any key or
// click. Under Wine, device creation and the first draw (where the driver
// builds its shaders) are most of a Direct3D program's start-up.
//
// minimal_direct3d [WIDTH HEIGHT]: with a size, the texture has that size and
// is written anew before every frame, as a movie's frames are uploaded;
// without, it is 640 x 360 and written once.
#include <windows.h>

#include <d3d8.h>

#include <cstdlib>

namespace {

const DWORD vertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;
const DWORD pictureColour = 0xFF3080C0; // neither black nor white: the bench looks for it

struct Vertex {
    float x, y, z;
    DWORD colour;
    float u, v, u2, v2;
};

bool running = true;
UINT pictureWidth = 640, pictureHeight = 360;
bool uploadEveryFrame = false;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_CLOSE:
        running = false;
        return 0;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

IDirect3D8* createDirect3D() {
    // Loaded at run time, as the engine does: no import library on every toolchain.
    typedef IDirect3D8*(WINAPI * Create)(UINT);
    HMODULE library = LoadLibraryA("d3d8.dll");
    Create create = library == nullptr ? nullptr
                                       : reinterpret_cast<Create>(reinterpret_cast<void*>(
                                             GetProcAddress(library, "Direct3DCreate8")));
    return create != nullptr ? create(D3D_SDK_VERSION) : nullptr;
}

void fillPicture(IDirect3DTexture8* texture, DWORD colour) {
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
        for (UINT y = 0; y < pictureHeight; ++y) {
            DWORD* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) +
                                                  size_t(y) * size_t(locked.Pitch));
            for (UINT x = 0; x < pictureWidth; ++x) {
                row[x] = colour;
            }
        }
        texture->UnlockRect(0);
    }
}

IDirect3DTexture8* createPicture(IDirect3DDevice8* device) {
    IDirect3DTexture8* texture = nullptr;
    if (FAILED(device->CreateTexture(pictureWidth, pictureHeight, 1, 0, D3DFMT_A8R8G8B8,
                                     D3DPOOL_MANAGED, &texture))) {
        return nullptr;
    }
    fillPicture(texture, pictureColour);
    return texture;
}

void setStates(IDirect3DDevice8* device, float width, float height) {
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
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    // Screen coordinates, y down, through the fixed-function transform.
    D3DMATRIX projection = {};
    projection._11 = 2.0f / width;
    projection._22 = -2.0f / height;
    projection._33 = 1.0f;
    projection._41 = -1.0f - 1.0f / width;
    projection._42 = 1.0f + 1.0f / height;
    projection._44 = 1.0f;
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetVertexShader(vertexFormat);
}

void drawPicture(IDirect3DDevice8* device, IDirect3DTexture8* texture, float width, float height) {
    const Vertex quad[4] = {
        {0.0f, 0.0f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f, 0.0f, 0.0f},
        {width, 0.0f, 0.5f, 0xFFFFFFFF, 1.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, height, 0.5f, 0xFFFFFFFF, 0.0f, 1.0f, 0.0f, 0.0f},
        {width, height, 0.5f, 0xFFFFFFFF, 1.0f, 1.0f, 0.0f, 0.0f},
    };
    static DWORD frame = 0;
    if (uploadEveryFrame && texture != nullptr) {
        fillPicture(texture, pictureColour + (++frame & 0x3F));
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    device->BeginScene();
    device->SetTexture(0, texture);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex));
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char* rest = commandLine;
    const unsigned long askedWidth = std::strtoul(rest, &rest, 10);
    const unsigned long askedHeight = std::strtoul(rest, &rest, 10);
    if (askedWidth > 0 && askedHeight > 0 && askedWidth <= 8192 && askedHeight <= 8192) {
        pictureWidth = UINT(askedWidth);
        pictureHeight = UINT(askedHeight);
        uploadEveryFrame = true;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MINIMAL_BENCH_DIRECT3D";
    RegisterClassA(&windowClass);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "minimal", WS_POPUP | WS_VISIBLE,
                        0, 0, width, height, nullptr, nullptr, instance, nullptr);
    IDirect3D8* d3d = createDirect3D();
    D3DDISPLAYMODE desktop;
    if (d3d == nullptr || FAILED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &desktop))) {
        return 1;
    }
    D3DPRESENT_PARAMETERS presentation = {};
    presentation.BackBufferWidth = UINT(width);
    presentation.BackBufferHeight = UINT(height);
    presentation.BackBufferFormat = desktop.Format;
    presentation.BackBufferCount = 1;
    presentation.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    presentation.hDeviceWindow = window;
    presentation.Windowed = FALSE;
    presentation.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    presentation.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
    IDirect3DDevice8* device = nullptr;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                 D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentation, &device))) {
        d3d->Release();
        return 1;
    }
    IDirect3DTexture8* texture = createPicture(device);
    setStates(device, float(width), float(height));
    while (running) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        drawPicture(device, texture, float(width), float(height));
    }
    if (texture != nullptr) {
        texture->Release();
    }
    device->Release();
    d3d->Release();
    DestroyWindow(window);
    return 0;
}

#include "tests/engine/d3dx/Dx8TestDevice.h"

namespace testsupport {

namespace {

const char kWindowClass[] = "D3DX_TEST_WINDOW";

} // namespace

Dx8TestDevice::~Dx8TestDevice() {
    if (dev) {
        dev->Release();
    }
    if (d3d) {
        d3d->Release();
    }
    if (window) {
        DestroyWindow(window);
    }
    if (library) {
        FreeLibrary(library);
    }
}

bool Dx8TestDevice::open(UINT width, UINT height) {
    library = LoadLibraryA("d3d8.dll");
    if (!library) {
        failure = "d3d8.dll not found";
        return false;
    }
    using CreateFn = IDirect3D8*(WINAPI*)(UINT);
    auto create = reinterpret_cast<CreateFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "Direct3DCreate8")));
    if (!create || !(d3d = create(D3D_SDK_VERSION))) {
        failure = "Direct3DCreate8 failed";
        return false;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc); // a second device finds the class registered already
    window = CreateWindowA(kWindowClass, "d3dx test", WS_OVERLAPPEDWINDOW, 0, 0, int(width) + 64,
                           int(height) + 64, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) {
        failure = "CreateWindow failed";
        return false;
    }
    D3DDISPLAYMODE mode;
    if (FAILED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
        failure = "no display mode";
        return false;
    }
    displayFormat = mode.Format;
    D3DPRESENT_PARAMETERS pp = {};
    pp.BackBufferWidth = width;
    pp.BackBufferHeight = height;
    pp.BackBufferFormat = mode.Format;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_COPY;
    pp.hDeviceWindow = window;
    pp.Windowed = TRUE;
    pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                 D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &dev))) {
        dev = nullptr;
        failure = "CreateDevice failed";
        return false;
    }
    failure = "";
    return true;
}

Dx8TestDevice& Dx8TestDevice::shared() {
    static Dx8TestDevice* device = [] {
        auto* d = new Dx8TestDevice;
        d->open(64, 48);
        return d;
    }();
    return *device;
}

bool Dx8TestDevice::supportsTexture(D3DFORMAT format) const {
    return d3d && SUCCEEDED(d3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                                   displayFormat, 0, D3DRTYPE_TEXTURE, format));
}

} // namespace testsupport

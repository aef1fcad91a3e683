#pragma once
// A real Direct3D 8 device on a small hidden window for the D3DX stand-in's
// tests (windowed, lockable back buffer). d3d8.dll is loaded at run time.

#include <d3d8.h>

namespace testsupport {

class Dx8TestDevice {
public:
    Dx8TestDevice() = default;
    ~Dx8TestDevice();
    Dx8TestDevice(const Dx8TestDevice&) = delete;
    Dx8TestDevice& operator=(const Dx8TestDevice&) = delete;

    // False (with the reason in error()) when no device could be made.
    bool open(UINT width, UINT height);
    // One 64 x 48 device for the whole test program, opened on first use and
    // kept until the process ends.
    static Dx8TestDevice& shared();
    IDirect3DDevice8* device() const { return dev; }
    // Whether the device takes textures of that format.
    bool supportsTexture(D3DFORMAT format) const;
    const char* error() const { return failure; }

private:
    HMODULE library = nullptr;
    HWND window = nullptr;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* dev = nullptr;
    D3DFORMAT displayFormat = D3DFMT_UNKNOWN;
    const char* failure = "not opened";
};

} // namespace testsupport

#pragma once
// The engine's Direct3D 8 device for the rendering layer's renderer, which
// works on it. Windows only; null before the device exists.

#include "engine/Engine.h"

#include <d3d8.h>

IDirect3DDevice8* EngineDevice(Engine* engine);

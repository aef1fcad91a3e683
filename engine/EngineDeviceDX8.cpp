#include "engine/EngineDeviceDX8.h"

#include "engine/EngineImpl.h"

IDirect3DDevice8* EngineDevice(Engine* engine) {
    // EngineImpl is the one engine on Windows.
    return engine != nullptr ? static_cast<EngineImpl*>(engine)->device : nullptr;
}

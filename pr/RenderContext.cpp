#include "pr/RenderContext.h"

namespace pr {

namespace {
RenderContext* current = nullptr;
}

RenderContext* currentRenderContext() {
    return current;
}
void setCurrentRenderContext(RenderContext* context) {
    current = context;
}

RenderContext::~RenderContext() {
    if (frameEngine != nullptr) {
        frameEngine->System_Release();
    }
    if (current == this) {
        current = nullptr;
    }
}

bool RenderContext::BeginFrame() {
    if (++frameCounter > FrameCounterLimit) {
        frameCounter = 1;
    }
    if (frameEngine != nullptr) { // a frame that was never ended
        frameEngine->System_Release();
    }
    frameEngine = AcquireEngine();
    frameOpen = frameEngine->Gfx_BeginScene(nullptr);
    if (frameOpen) {
        frameEngine->Gfx_Clear(clearColour);
    }
    return frameOpen;
}

void RenderContext::EndFrame() {
    if (frameEngine == nullptr) {
        return;
    }
    if (frameOpen) {
        frameEngine->Gfx_EndScene();
    }
    frameOpen = false;
    Engine* engine = frameEngine;
    frameEngine = nullptr;
    engine->System_Release();
}

} // namespace pr

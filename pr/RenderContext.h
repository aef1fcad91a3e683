#pragma once
// The per-application frame context: opens each frame on the engine, clears
// it, counts frames and carries the output scale (window to layout
// coordinates). The application's render callback and the input routing use it.

#include "engine/Engine.h"

#include <cstdint>

namespace pr {

class RenderContext {
public:
    enum : int { FrameCounterLimit = 1000 };
    enum : uint32_t { OpaqueBlack = 0xFF000000u };

    RenderContext() = default;
    ~RenderContext(); // gives back a frame's engine reference still held
    RenderContext(const RenderContext&) = delete;
    RenderContext& operator=(const RenderContext&) = delete;

    // Advances the frame counter (1..1000, then 1 again), takes an engine
    // reference for the frame, begins the engine's scene on the screen and,
    // when that worked, clears it to the clear colour. The result is
    // Gfx_BeginScene's. Call EndFrame afterwards in either case.
    bool BeginFrame();
    // Ends the scene when BeginFrame opened it (presenting it) and gives back
    // the frame's engine reference.
    void EndFrame();
    // The engine reference of the frame in progress; null outside a frame.
    Engine* FrameEngine() const { return frameEngine; }

    int FrameCounter() const { return frameCounter; } // 0 before the first frame
    uint32_t ClearColour() const { return clearColour; }
    void SetClearColour(uint32_t colour) { clearColour = colour; }
    float ScaleX() const { return scaleX; }
    float ScaleY() const { return scaleY; }
    void SetScale(float x, float y) {
        scaleX = x;
        scaleY = y;
    }

private:
    int frameCounter = 0;
    uint32_t clearColour = OpaqueBlack;
    float scaleX = 1.0f, scaleY = 1.0f;
    Engine* frameEngine = nullptr;
    bool frameOpen = false;
};

// The process-wide render context, set by the application; holds no ownership.
RenderContext* currentRenderContext();
void setCurrentRenderContext(RenderContext* context);

} // namespace pr

#include "pr/Renderer.h"

#include "ph/Log.h"

namespace pr {

namespace {
Renderer* current = nullptr;
}

Renderer* currentRenderer() {
    return current;
}
void setCurrentRenderer(Renderer* renderer) {
    current = renderer;
}

Renderer::~Renderer() {
    PH_LOG(2) << "renderer destroyed.";
    // Only its own entry: a second renderer going away must not strand the first.
    if (current == this) {
        current = nullptr;
    }
}

} // namespace pr

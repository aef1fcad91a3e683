#include "wf/app/ModeCheck.h"

namespace wf {

bool applyObtainedMode(ScreenSize& requested, ScreenSize obtained, Scale& scale) {
    if (obtained.width == requested.width && obtained.height == requested.height) {
        return false;
    }
    // A zero requested side would divide by zero; keep the scale there.
    if (requested.width != 0) {
        scale.x *= static_cast<float>(obtained.width) / static_cast<float>(requested.width);
    }
    if (requested.height != 0) {
        scale.y *= static_cast<float>(obtained.height) / static_cast<float>(requested.height);
    }
    requested = obtained;
    return true;
}

ScreenSize layoutSizeOf(ScreenSize obtained, Scale scale) {
    ScreenSize layout = obtained;
    if (scale.x > 0.0f) {
        layout.width = static_cast<int>(static_cast<float>(obtained.width) / scale.x + 0.5f);
    }
    if (scale.y > 0.0f) {
        layout.height = static_cast<int>(static_cast<float>(obtained.height) / scale.y + 0.5f);
    }
    return layout;
}

bool windowTooLarge(ScreenSize requested, ScreenSize desktop) {
    return (desktop.width > 0 && requested.width >= desktop.width) ||
           (desktop.height > 0 && requested.height >= desktop.height);
}

} // namespace wf

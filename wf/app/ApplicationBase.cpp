#include "wf/app/ApplicationBase.h"

#include "ph/Log.h"
#include "pr/Renderer.h"

namespace wf {

ApplicationBase::ApplicationBase() = default;

ApplicationBase::~ApplicationBase() {
    renderer.reset();
    PH_LOG(2) << "Application: " << name << " exiting.";
}

bool ApplicationBase::canClose() {
    return true;
}

void ApplicationBase::updateWindowTitle() {
    Engine* engine = AcquireEngine();
    engine->System_SetText(WindowTitle, (name + " " + version).c_str());
    engine->System_Release();
}

void ApplicationBase::acceptObtainedMode(ScreenSize obtained) {
    const ScreenSize asked = requestedSize;
    if (!applyObtainedMode(requestedSize, obtained, resolutionScale)) {
        return;
    }
    PH_LOG(2) << "requested resolution not supported. Was " << asked.width << " " << asked.height;
    PH_LOG(2) << "current resolution is " << obtained.width << " " << obtained.height;
    baseFlags |= resolutionScaledBit;
}

} // namespace wf

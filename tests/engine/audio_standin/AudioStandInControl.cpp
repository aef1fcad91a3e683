#include "tests/engine/audio_standin/AudioStandInControl.h"

namespace testsupport {

namespace {

template <typename Fn> bool fetch(HMODULE module, const char* name, Fn& out, std::string& absent) {
    out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!out && absent.empty()) {
        absent = name;
    }
    return out != nullptr;
}

} // namespace

AudioStandIn::~AudioStandIn() {
    if (module) {
        FreeLibrary(module);
    }
}

bool AudioStandIn::load() {
    if (!module) {
        module = LoadLibraryA("bass.dll");
    }
    if (!module) {
        absent = "bass.dll";
        return false;
    }
    absent.clear();
    bool all = true;
#define SOUND_ENTRY_FETCH(name, result, arguments)                                                 \
    all &= fetch(module, #name, library.name, absent);
    SOUND_ENTRY_POINTS(SOUND_ENTRY_FETCH)
#undef SOUND_ENTRY_FETCH
    all &= fetch(module, "StandIn_TakeLog", takeLogFn, absent);
    all &= fetch(module, "StandIn_SetVersion", setVersionFn, absent);
    all &= fetch(module, "StandIn_FailNext", failNextFn, absent);
    all &= fetch(module, "StandIn_Reset", resetFn, absent);
    return all;
}

std::string AudioStandIn::takeLog() const {
    const char* text = takeLogFn ? takeLogFn() : nullptr;
    return text ? text : "";
}

void AudioStandIn::setVersion(DWORD version) const {
    if (setVersionFn) {
        setVersionFn(version);
    }
}

void AudioStandIn::failNext(const char* entryPoint, int count) const {
    if (failNextFn) {
        failNextFn(entryPoint, count);
    }
}

void AudioStandIn::reset() const {
    if (resetFn) {
        resetFn();
    }
}

} // namespace testsupport

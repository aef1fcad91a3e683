#pragma once
// Test-side handle on the recording audio stand-in ("bass.dll" next to the
// test executable): loads it, fetches its entry points as the engine does and
// drives its controls. Used by the engine's sound tests. Windows only.

#include "engine/SoundLibrary.h"

#include <string>

namespace testsupport {

class AudioStandIn {
public:
    AudioStandIn() = default;
    ~AudioStandIn();
    AudioStandIn(const AudioStandIn&) = delete;
    AudioStandIn& operator=(const AudioStandIn&) = delete;

    // Loads the DLL (holding one reference, so its state outlives the
    // engine's own load and unload) and fetches everything. False when the
    // DLL or any entry point is missing; missing() then names it.
    bool load();
    const std::string& missing() const { return absent; }

    // The entry points, as the engine fetches them.
    const SoundLibrary& entries() const { return library; }

    // The calls recorded since the previous take, one "Name(args) = result" per line.
    std::string takeLog() const;
    // The value the version query answers.
    void setVersion(DWORD version) const;
    // The next `count` calls of `entryPoint` answer failure.
    void failNext(const char* entryPoint, int count = 1) const;
    // Forgets objects, log, failures and the version set.
    void reset() const;

private:
    HMODULE module = nullptr;
    SoundLibrary library = {};
    std::string absent;
    const char*(WINAPI* takeLogFn)(void) = nullptr;
    void(WINAPI* setVersionFn)(DWORD) = nullptr;
    void(WINAPI* failNextFn)(const char*, int) = nullptr;
    void(WINAPI* resetFn)(void) = nullptr;
};

} // namespace testsupport

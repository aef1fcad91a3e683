#include "tests/support/EngineFixtureWin32.h"

#include "tests/support/Files.h"

#include <sstream>

namespace enginetest {

uint32_t ScriptedClock::now() {
    ++reads;
    if (!scriptedSteps.empty()) {
        time += scriptedSteps.front();
        scriptedSteps.pop_front();
    } else {
        time += advancePerRead;
    }
    return time;
}

void ScriptedClock::sleep(uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    time += milliseconds;
}

void EngineWin32Test::SetUp() {
    ASSERT_EQ(nullptr, EngineImpl::instance()) << "an earlier test kept the engine";
    engine = static_cast<EngineImpl*>(AcquireEngine());
    engine->setClock(&clock);
    std::string directory = folder.path();
    for (char& c : directory) {
        if (c == '/') {
            c = '\\';
        }
    }
    engine->System_SetText(AppDirectory, directory.c_str());
    engine->System_SetText(LogFile, "engine.log");
}

void EngineWin32Test::TearDown() {
    if (engine != nullptr) {
        engine->System_Release();
        engine = nullptr;
    }
    EXPECT_EQ(nullptr, EngineImpl::instance());
    // Destroying the engine window posts a quit message; the next test's loop
    // must not see it.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

bool EngineWin32Test::initiate() {
    engine->System_SetFlag(Windowed, true);
    engine->System_SetFlag(SoundEnabled, false);
    engine->System_SetNumber(ScreenWidth, 800);
    engine->System_SetNumber(ScreenHeight, 600);
    const bool started = engine->System_Initiate();
    EXPECT_TRUE(started) << engine->System_GetLastError();
    return started;
}

void EngineWin32Test::settleWindowMessages() {
    // Activation under Wine arrives a little after the window is shown.
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

std::vector<std::string> EngineWin32Test::logLines() const {
    std::istringstream text(testsupport::readFile(logPath()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back(); // the log is a text file: CR LF line ends
        }
        lines.push_back(line);
    }
    return lines;
}

uint32_t EngineWin32Test::backBufferPixel(int x, int y) const {
    IDirect3DSurface8* back = nullptr;
    if (engine->device == nullptr ||
        FAILED(engine->device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) {
        return 0xDEADBEEF;
    }
    D3DLOCKED_RECT locked;
    uint32_t value = 0xDEADBEEF;
    if (SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        const char* row = static_cast<const char*>(locked.pBits) + y * locked.Pitch;
        value = reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
        back->UnlockRect();
    }
    back->Release();
    return value;
}

} // namespace enginetest

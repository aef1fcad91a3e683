#pragma once
// Helpers for the tests that drive the real engine under Wine: a scripted
// frame clock and a fixture that prepares a fresh engine instance with its
// application directory and log file in a scratch folder, and reads back
// what was drawn.

#include "engine/EngineImpl.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace enginetest {

// Time moves only when the test says so: by `advancePerRead` (or the next
// scripted step) on each read, and by the asked amount on each sleep.
class ScriptedClock : public EngineClock {
public:
    uint32_t now() override;
    void sleep(uint32_t milliseconds) override;

    uint32_t time = 100000;
    uint32_t advancePerRead = 0;
    std::deque<uint32_t> scriptedSteps; // consumed one per read before advancePerRead applies
    unsigned reads = 0;
    std::vector<uint32_t> sleeps;
};

class EngineWin32Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Windowed 800 x 600 without sound; false (with the error) when start-up fails.
    bool initiate();
    // Handles the messages Windows sends a new window (activation among them)
    // so that a test can arrange state those messages would reset.
    void settleWindowMessages();
    std::vector<std::string> logLines() const;
    // The back buffer's pixel as 0xRRGGBB (0xDEADBEEF when it cannot be read).
    uint32_t backBufferPixel(int x, int y) const;
    std::string logPath() const { return folder.file("engine.log"); }

    testsupport::TempDir folder;
    ScriptedClock clock;
    EngineImpl* engine = nullptr;
};

} // namespace enginetest

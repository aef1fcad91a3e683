// Under Wine: the crash export, called in a child process that acts as the game
// with its crash reporter.

#include "plugin/ExportsWin32.h"
#include "tests/support/ProcessWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(CasemountCrashWin32, DoCrashRaisesTheDeliberateCrashForTheGamesReporter) {
    std::string program = testsupport::programFolder() + "casemount_crash_host.exe";
    HANDLE process = testsupport::startProcess(program, "\"" + program + "\"", "", nullptr);
    ASSERT_TRUE(process) << program;
    DWORD exitCode = 0xFFFFFFFF;
    bool ended = testsupport::waitOrEnd(process, 30000, &exitCode);
    CloseHandle(process);

    ASSERT_TRUE(ended);
    // 0: the reporter saw CASEMOUNT_DELIBERATE_CRASH, non-continuable, without
    // parameters. 10: library missing; 11: another exception; 12: it returned.
    EXPECT_EQ(exitCode, 0u);
}

} // namespace

// Under Wine: the crash export, called in a child process that acts as the game
// with its crash reporter.

#include "plugin/ExportsWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string besideTest(const char* name) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

TEST(CasemountCrashWin32, DoCrashRaisesTheDeliberateCrashForTheGamesReporter) {
    std::string program = besideTest("casemount_crash_host.exe");
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << program;
    CloseHandle(process.hThread);
    bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);

    ASSERT_TRUE(ended);
    // 0: the reporter saw CASEMOUNT_DELIBERATE_CRASH, non-continuable, without
    // parameters. 10: library missing; 11: another exception; 12: it returned.
    EXPECT_EQ(exitCode, 0u);
}

} // namespace

// Under Wine: Brindlemoor.exe copied into a scratch folder and started there,
// once beside the stand-in game and once alone.

#include "tests/launcher/LauncherFilesWin32.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <sstream>

using namespace launchertest;

namespace {

constexpr DWORD boundedWaitMs = 30000;

std::map<std::string, std::string> parseRecord(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        auto separator = line.find('=');
        if (separator != std::string::npos) {
            values[line.substr(0, separator)] = line.substr(separator + 1);
        }
    }
    return values;
}

// The command line without its first token (the program), trimmed.
std::string argumentsOf(const std::string& commandLine) {
    size_t end = commandLine[0] == '"' ? commandLine.find('"', 1) : commandLine.find(' ');
    std::string rest = end == std::string::npos ? "" : commandLine.substr(end + 1);
    rest.erase(0, rest.find_first_not_of(" \t"));
    rest.erase(rest.find_last_not_of(" \t") + 1);
    return rest;
}

std::string fileNameOf(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    if (!name.empty() && name.back() == '"') {
        name.pop_back();
    }
    return name;
}

std::string waitForFile(const std::string& path) {
    for (DWORD waited = 0; waited < boundedWaitMs; waited += 50) {
        bool found = false;
        std::string text = testsupport::readFile(path, &found);
        if (found) {
            return text;
        }
        Sleep(50);
    }
    return "";
}

// Waits for the launcher to end by itself; on timeout it is ended here and the
// windows it still had are reported (a message box would be among them).
::testing::AssertionResult exitsByItself(HANDLE launcher, DWORD processId) {
    if (WaitForSingleObject(launcher, boundedWaitMs) == WAIT_OBJECT_0) {
        return ::testing::AssertionSuccess();
    }
    auto result = ::testing::AssertionFailure() << "the launcher is still running; its windows:";
    for (const auto& window : topLevelWindowsOf(processId)) {
        result << " [" << window << "]";
    }
    TerminateProcess(launcher, 1);
    WaitForSingleObject(launcher, boundedWaitMs);
    return result;
}

class BrindlemoorRunWin32 : public ::testing::Test {
protected:
    void SetUp() override { folder = windowsPath(scratch.path()); }

    testsupport::TempDir scratch;
    std::string folder;
};

TEST_F(BrindlemoorRunWin32, StartsTheGameFromItsFolderAndExitsWithoutWaitingForIt) {
    ASSERT_TRUE(copyProgram("Brindlemoor.exe", folder));
    ASSERT_TRUE(copyProgram(gameName, folder));

    // The game stays up until this event is set, so it is still running when the
    // launcher has already gone.
    std::string holdName = "BrindlemoorTestHold-" + std::to_string(GetCurrentProcessId());
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, holdName.c_str());
    ASSERT_NE(hold, nullptr);
    SetEnvironmentVariableA("BRINDLEMOOR_TEST_HOLD", holdName.c_str());

    DWORD launcherId = 0;
    HANDLE launcher = startProcess(folder + "\\Brindlemoor.exe", folder, &launcherId);
    SetEnvironmentVariableA("BRINDLEMOOR_TEST_HOLD", nullptr);
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(exitsByItself(launcher, launcherId));
    DWORD exitCode = 1;
    GetExitCodeProcess(launcher, &exitCode);
    CloseHandle(launcher);
    EXPECT_EQ(exitCode, 0u);

    auto record = parseRecord(waitForFile(folder + "\\game-run.txt"));
    ASSERT_FALSE(record.empty()) << "the game did not run";

    HANDLE game = OpenProcess(SYNCHRONIZE, FALSE, DWORD(std::stoul(record["pid"])));
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(record["held"], "1");
    EXPECT_EQ(WaitForSingleObject(game, 0), DWORD(WAIT_TIMEOUT))
        << "the game should still be running after the launcher exited";
    SetEvent(hold);
    EXPECT_EQ(WaitForSingleObject(game, boundedWaitMs), DWORD(WAIT_OBJECT_0));
    CloseHandle(game);
    CloseHandle(hold);

    // The copy beside the launcher ran, with no arguments, in the launcher's
    // current directory, shown normal.
    EXPECT_EQ(canonicalFolder(record["module"].substr(0, record["module"].find_last_of('\\'))),
              canonicalFolder(folder));
    EXPECT_EQ(lstrcmpiA(fileNameOf(record["module"]).c_str(), gameName), 0) << record["module"];
    EXPECT_EQ(argumentsOf(record["commandLine"]), "") << record["commandLine"];
    EXPECT_EQ(canonicalFolder(record["workingDirectory"]), canonicalFolder(folder));
    EXPECT_EQ(record["showCommand"], std::to_string(SW_SHOWNORMAL));
}

TEST_F(BrindlemoorRunWin32, ExitsSilentlyWhenTheGameIsMissing) {
    ASSERT_TRUE(copyProgram("Brindlemoor.exe", folder));

    DWORD launcherId = 0;
    HANDLE launcher = startProcess(folder + "\\Brindlemoor.exe", folder, &launcherId);
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(exitsByItself(launcher, launcherId));
    DWORD exitCode = 1;
    GetExitCodeProcess(launcher, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(topLevelWindowsOf(launcherId).empty());
    CloseHandle(launcher);
    EXPECT_FALSE(testsupport::fileExists(folder + "\\game-run.txt"));
}

} // namespace

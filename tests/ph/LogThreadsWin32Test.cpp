// The program log under Windows: the system has no thread besides the main
// one, and logging must not start any (the log library's worker pool did).
#include "ph/Log.h"
#include "tests/support/TempDir.h"

#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>
#include <log4cplus/logger.h>

namespace {

int threadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return -1;
    }
    THREADENTRY32 entry;
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) {
            ++count;
        }
    }
    CloseHandle(snapshot);
    return count;
}

TEST(ProgramLogWin32, ProgramThatHasLoggedRunsOneThread) {
    testsupport::TempDir folder;
    ph::logFileName = folder.file("threads.log");
    PH_LOG(0) << "Can't open movie file: a.ogv";
    ASSERT_TRUE(ph::isLoggingSetUp());
    EXPECT_EQ(threadsOfThisProcess(), 1);
    // Closes the log file, so that the folder can go.
    log4cplus::Logger::getRoot().removeAllAppenders();
}

} // namespace

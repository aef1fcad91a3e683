#include "tests/support/Files.h"
#include "tests/support/Process.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {

// Runs the probe program beside this test; -1 when it did not end in time.
int runProbe(const std::string& logFile, const std::string& action) {
#ifdef _WIN32
    const char* probe = "ph_log_probe.exe";
#else
    const char* probe = "ph_log_probe";
#endif
    int exitCode = -1;
    if (!testsupport::runProgram(testsupport::programFolder() + probe, {logFile, action}, 30000,
                                 &exitCode)) {
        return -1;
    }
    return exitCode;
}

const std::string timeStamp = R"(\d\d:\d\d:\d\d\.\d\d\d )";
const std::string lineEnd = "\r?\n";

TEST(ProgramLog, NoFileWhenNothingWasWritten) {
    testsupport::TempDir dir;
    ASSERT_EQ(runProbe(dir.file("scrsaver.log"), "quiet"), 0);
    EXPECT_FALSE(testsupport::fileExists(dir.file("scrsaver.log")));
}

TEST(ProgramLog, MissingFileWritesStartLineAndErrorLine) {
    testsupport::TempDir dir;
    ASSERT_EQ(runProbe(dir.file("scrsaver.log"), "missing"), 0);
    std::string log = testsupport::readFile(dir.file("scrsaver.log"));
    std::regex expected(timeStamp + R"(INFO : \[Log started\])" + lineEnd + timeStamp +
                        "ERROR: file not found missing\\.txt" + lineEnd);
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST(ProgramLog, RaisedThresholdWritesInfoAndWarningLinesOnly) {
    testsupport::TempDir dir;
    ASSERT_EQ(runProbe(dir.file("out.log"), "threshold"), 0);
    std::string log = testsupport::readFile(dir.file("out.log"));
    std::regex expected(timeStamp + R"(INFO : \[Log started\])" + lineEnd + timeStamp +
                        "INFO : System starting 1 -42" + lineEnd + timeStamp +
                        "WARN : Can't open movie file: a\\.ogv" + lineEnd);
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST(ProgramLog, SetUpTruncatesAnOldLog) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("scrsaver.log"), "old contents\n");
    ASSERT_EQ(runProbe(dir.file("scrsaver.log"), "missing"), 0);
    EXPECT_EQ(testsupport::readFile(dir.file("scrsaver.log")).find("old contents"),
              std::string::npos);
}

} // namespace

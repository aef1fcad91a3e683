#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {

// Runs the probe program beside this test (ctest's working directory).
int runProbe(const std::string& logFile, const std::string& action) {
#ifdef _WIN32
    std::string command = "ph_log_probe.exe \"" + logFile + "\" " + action;
#else
    std::string command = "./ph_log_probe '" + logFile + "' " + action;
#endif
    return std::system(command.c_str());
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

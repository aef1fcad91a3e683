#pragma once
// Helpers of the launcher tests: the programs built beside the tests, scratch
// folders in Windows form, and starting a program with a bounded wait.

#include <windows.h>

#include <string>
#include <vector>

namespace launchertest {

extern const char* const gameName; // the file name the launcher opens

// The folder of the running test program, ending with "\".
std::string testFolder();
// `path` with "\" separators and without a trailing one.
std::string windowsPath(std::string path);
// The same folder spelt the same way (long names, no trailing "\"), for comparisons.
std::string canonicalFolder(const std::string& folder);

bool copyProgram(const std::string& name, const std::string& toFolder);

// Starts `program` with `folder` as its current directory; null on failure.
HANDLE startProcess(const std::string& program, const std::string& folder, DWORD* processId);

// "class: title" of every top-level window that belongs to the process.
std::vector<std::string> topLevelWindowsOf(DWORD processId);

} // namespace launchertest

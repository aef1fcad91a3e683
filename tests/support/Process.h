#pragma once
// Test programs that run helper programs built beside them: where they are,
// and running one to its end with a bounded wait.

#include <string>
#include <vector>

namespace testsupport {

// The folder of the running test program, ending with its separator.
std::string programFolder();

// Runs `program` with `arguments` in the current directory and waits at most
// `timeoutMs`. False when it could not start or did not end in time (it is
// then killed); otherwise `exitCode` receives its exit code.
bool runProgram(const std::string& program, const std::vector<std::string>& arguments,
                int timeoutMs, int* exitCode);

} // namespace testsupport

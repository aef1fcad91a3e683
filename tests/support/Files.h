#pragma once
// Whole-file helpers for tests.

#include <string>

namespace testsupport {

void writeFile(const std::string& path, const std::string& bytes);
// The file's bytes; `found` (when given) tells whether it could be opened.
std::string readFile(const std::string& path, bool* found = nullptr);
bool fileExists(const std::string& path);

} // namespace testsupport

#pragma once
// Builds zip archives for tests with minizip's writer: stored or deflated
// entries, optionally encrypted with a password.

#include <string>
#include <vector>

namespace testsupport {

struct ZipEntry {
    std::string name;
    std::string bytes;
    std::string password; // empty: not encrypted
};

// Writes the archive to `path`; throws when minizip fails.
void writeZip(const std::string& path, const std::vector<ZipEntry>& entries);
// The same archive as bytes.
std::string makeZip(const std::vector<ZipEntry>& entries);

} // namespace testsupport

#include "tests/support/Files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string readFile(const std::string& path, bool* found) {
    std::ifstream in(path, std::ios::binary);
    if (found) {
        *found = bool(in);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) { return bool(std::ifstream(path)); }

} // namespace testsupport

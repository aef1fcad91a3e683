#include "tests/support/TempDir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>

namespace testsupport {

TempDir::TempDir() {
    namespace fs = std::filesystem;
    std::random_device seed;
    std::mt19937 random(seed() ^ unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (;;) {
        fs::path candidate = fs::temp_directory_path() / ("rs-test-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            folder = candidate.generic_string() + "/";
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

} // namespace testsupport

// Runs a fuzz target without libFuzzer, so that every build can check it:
// over the seed files and deterministic mutations of them (no arguments),
// over given files or folders (a crash input, a fuzzer's corpus), or writes
// the seeds into a folder to start a fuzzer from (--write-seeds DIR).
#include "fuzz/FuzzTarget.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void run(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Random {
    uint64_t state;
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return uint32_t(state >> 16);
    }
    size_t below(size_t n) { return n == 0 ? 0 : next() % n; }
};

// The kinds of damage a file meets: flipped bits, overwritten bytes, a cut,
// a repeated or missing stretch, and bytes put in.
std::string mutate(std::string bytes, Random& random) {
    int edits = 1 + int(random.below(4));
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        size_t at = random.below(bytes.size());
        switch (random.below(6)) {
        case 0:
            bytes[at] = char(bytes[at] ^ (1 << random.below(8)));
            break;
        case 1:
            bytes[at] = char(random.next());
            break;
        case 2:
            bytes.resize(at);
            break;
        case 3:
            bytes.insert(at, bytes.substr(random.below(bytes.size()), random.below(300)));
            break;
        case 4:
            bytes.erase(at, random.below(300));
            break;
        default:
            bytes.insert(at, std::string(random.below(64), char(random.next())));
            break;
        }
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc == 3 && std::string(argv[1]) == "--write-seeds") {
        fs::create_directories(argv[2]);
        for (const auto& seed : fuzzSeeds()) {
            std::ofstream(fs::path(argv[2]) / seed.first, std::ios::binary) << seed.second;
        }
        return 0;
    }
    int inputs = 0;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            fs::path path(argv[i]);
            std::vector<fs::path> files;
            if (fs::is_directory(path)) {
                for (const auto& entry : fs::directory_iterator(path)) {
                    files.push_back(entry.path());
                }
            } else {
                files.push_back(path);
            }
            for (const fs::path& file : files) {
                run(readWhole(file));
                ++inputs;
            }
        }
        std::printf("%d inputs replayed\n", inputs);
        return 0;
    }

    // A few seconds at most, whatever the machine.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    auto seeds = fuzzSeeds();
    Random random{0x9E3779B97F4A7C15ull};
    for (const auto& seed : seeds) {
        run(seed.second);
        ++inputs;
    }
    for (int round = 0; round < 20000 && std::chrono::steady_clock::now() < deadline; ++round) {
        run(mutate(seeds[size_t(round) % seeds.size()].second, random));
        ++inputs;
    }
    std::printf("%d inputs replayed (%zu seeds and mutations of them)\n", inputs, seeds.size());
    return 0;
}

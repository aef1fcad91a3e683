// Small archives that start the zip fuzzer off: plain, deflated and empty
// entries, password-protected ones, a mixed archive, a nested one, and the
// fuzzer's findings.
#include "fuzz/FuzzTarget.h"

#include "tests/support/ZipWriter.h"

using testsupport::makeZip;

namespace {

// Both headers of the first entry claim other sizes.
std::string withClaimedSizes(uint32_t compressed, uint32_t uncompressed) {
    std::string zip = makeZip({{"a.txt", "some bytes", ""}});
    const auto le32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    // Offsets of the compressed size in the local and the central header.
    const std::pair<const char*, size_t> sizeFields[] = {{"PK\x03\x04", 18}, {"PK\x01\x02", 20}};
    for (const auto& field : sizeFields) {
        const size_t at = zip.find(field.first);
        if (at != std::string::npos) {
            zip.replace(at + field.second, 8, le32(compressed) + le32(uncompressed));
        }
    }
    return zip;
}

} // namespace

std::vector<std::pair<std::string, std::string>> fuzzSeeds() {
    const std::string text = "The quick brown fox jumps over the lazy dog. ";
    std::string repeated;
    for (int i = 0; i < 40; ++i) {
        repeated += text;
    }
    return {
        {"plain.zip", makeZip({{"a.txt", "hello", ""}, {"dir/b.txt", repeated, ""}})},
        {"empty-entry.zip", makeZip({{"empty.txt", "", ""}})},
        {"password.zip", makeZip({{"secret.txt", repeated, "pw"}})},
        {"mixed.zip", makeZip({{"plain.txt", text, ""}, {"secret.txt", text, "pw"}})},
        {"nested.zip", makeZip({{"data.pak", makeZip({{"inner.txt", text, "wp"}}), "pw"}})},
        {"nested-plain.zip", makeZip({{"data.pak", makeZip({{"inner.txt", text, ""}}), ""}})},
        // Found by the fuzzer: claims that made the readers ask the heap for
        // gigabytes before reading a few bytes.
        {"claims-4gb.zip", withClaimedSizes(12, 0xfffffff0u)},
        {"claims-3gb-from-48mb.zip", withClaimedSizes(0x03000000u, 0xbd000000u)},
    };
}

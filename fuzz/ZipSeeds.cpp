// Small archives that start the zip fuzzer off: plain, deflated and empty
// entries, password-protected ones, a mixed archive, a nested one, and the
// fuzzer's findings.
#include "fuzz/FuzzTarget.h"

#include "tests/support/ZipWriter.h"

using testsupport::makeZip;

namespace {

// Found by the fuzzer: headers that claim nearly 4 GB for a few bytes made
// the readers ask the heap for all of it.
std::string claimingFourGigabytes() {
    std::string zip = makeZip({{"a.txt", "some bytes", ""}});
    const std::pair<const char*, size_t> sizeFields[] = {{"PK\x03\x04", 22}, {"PK\x01\x02", 24}};
    for (const auto& field : sizeFields) {
        const size_t at = zip.find(field.first);
        if (at != std::string::npos) {
            zip.replace(at + field.second, 4, "\xf0\xff\xff\xff");
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
        {"claims-4gb.zip", claimingFourGigabytes()},
    };
}

// Small archives that start the zip fuzzer off: plain, deflated and empty
// entries, password-protected ones, a mixed archive and a nested one.
#include "fuzz/FuzzTarget.h"

#include "tests/support/ZipWriter.h"

using testsupport::makeZip;

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
    };
}

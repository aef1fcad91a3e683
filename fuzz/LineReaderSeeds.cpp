// Texts that start the line reader fuzzer off: every line end, lines around
// the reader's 32-byte piece, a last line without an end, 0 bytes.
#include "fuzz/FuzzTarget.h"

std::vector<std::pair<std::string, std::string>> fuzzSeeds() {
    const std::string long40(40, 'x');
    return {
        {"lf.txt", "current_scr = movies/a.ogv\nother = 1\n"},
        {"crlf.txt", "a = 1\r\nb = 2\r\n\r\nlast"},
        {"cr.txt", "one\rtwo\rthree"},
        {"crlf-across-pieces.txt", std::string(31, 'a') + "\r\n" + std::string(31, 'b') + "\r\n"},
        {"long-lines.txt", long40 + "\n" + long40 + long40 + "\r" + long40},
        {"zero-byte.txt", std::string("ab\0cd\nef", 8)},
        {"empty-lines.txt", "\n\n\r\n\r\r\n"},
    };
}

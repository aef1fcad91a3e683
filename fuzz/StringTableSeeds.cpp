// String tables that start the parser fuzzer off: comments, escapes, values
// over two lines, a value that runs to the end, CR LF line ends.
#include "fuzz/FuzzTarget.h"

std::vector<std::pair<std::string, std::string>> fuzzSeeds() {
    return {
        {"plain.txt", "[STRINGTABLE]\nHELLO = \"Hello there\"\nA=\"x\"\n"},
        {"comments.txt",
         "[STRINGTABLE]\r\n; a comment = \"no\"\r\nNO_SOUND_CARD = \"No sound\"\r\n"},
        {"escapes.txt", "[STRINGTABLE]\nA = \"say \\\"hi\\\"\\nnext\\\\\"\n"},
        {"two-lines.txt", "[STRINGTABLE]\nA = \"one   \r\n    two\"\nB = \"b\""},
        {"open-value.txt", "[STRINGTABLE]\nA = \"runs to the end\\"},
        {"malformed.txt", "[STRINGTABLE]\nA = \"x\"\nB \"y\"\nC = z"},
        {"long-name.txt",
         "[STRINGTABLE]\n" + std::string(80, 'N') + " = \"" + std::string(300, 'v') + "\""},
    };
}

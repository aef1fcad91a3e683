#include "ph/LineReader.h"
#include "ph/FileReader.h"
#include "ph/Pointer.h"
#include "tests/support/Files.h"
#include "tests/support/MemoryStream.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct LineCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string line32(32, 'x');
const std::string text31(31, 'y');

const LineCase lineCases[] = {
    {"MixedLineEnds", std::string("a\r\nb\rc\n\nd"), {"a", "b", "c", "", "d"}},
    {"Exactly32CharactersThenLf", line32 + "\nnext", {line32, "next"}},
    {"CrIsTheLastByteOfTheChunkAtTheEnd", text31 + "\r", {text31}},
    {"CrIsTheLastByteOfTheChunkThenText", text31 + "\rz", {text31, "z"}},
    {"CrLfSplitAcrossChunks", text31 + "\r\nz", {text31, "z"}},
    {"NulCutsTheRestOfItsChunk", std::string("a\0b\ncd", 6), {"a", "cd"}},
    {"LongLineOverManyChunks", std::string(100, 'q') + "\n", {std::string(100, 'q')}},
    {"LastLineWithoutEnd", "one\ntwo", {"one", "two"}},
    {"ShortTailAfterAFullChunk", line32 + "abc", {line32 + "abc"}},
    {"Empty", "", {}},
};

std::vector<std::string> readAll(ph::IInputStream& stream) {
    std::vector<std::string> lines;
    std::string line;
    while (ph::readLine(stream, line)) {
        lines.push_back(line);
        if (lines.size() > 100) {
            break; // a reader that never ends
        }
    }
    EXPECT_FALSE(ph::readLine(stream, line)) << "still answers after the end";
    return lines;
}

class LineReaderOverFile : public testing::TestWithParam<LineCase> {};
class LineReaderOverMemory : public testing::TestWithParam<LineCase> {};

TEST_P(LineReaderOverFile, YieldsTheLines) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("t.txt"), GetParam().text);
    ph::Pointer<ph::FileReader> reader = ph::adopt(new ph::FileReader(dir.file("t.txt")));
    EXPECT_EQ(readAll(*reader), GetParam().lines);
}

// Memory streams deliver all or nothing; the reader must still get the tail.
TEST_P(LineReaderOverMemory, YieldsTheLines) {
    EXPECT_EQ(readAll(*testsupport::memoryStream(GetParam().text)), GetParam().lines);
}

std::string caseName(const testing::TestParamInfo<LineCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, LineReaderOverFile, testing::ValuesIn(lineCases), caseName);
INSTANTIATE_TEST_SUITE_P(Cases, LineReaderOverMemory, testing::ValuesIn(lineCases), caseName);

} // namespace

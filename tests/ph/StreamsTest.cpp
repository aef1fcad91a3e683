#include "ph/FileReader.h"
#include "ph/FileWriter.h"
#include "ph/FormatString.h"
#include "ph/MemoryReader.h"
#include "ph/Pointer.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

namespace {

ph::Data<char>* makeData(const std::string& bytes) {
    ph::Data<char>* data = new ph::Data<char>(uint32_t(bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(data->elements, bytes.data(), bytes.size());
    }
    return data;
}

TEST(MemoryReader, ReadPastTheEndDeliversNothingAndMovesToTheEnd) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(makeData("0123456789"));
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(data.get()));
    char buffer[8];
    ASSERT_TRUE(reader->seek(8));
    EXPECT_EQ(reader->read(buffer, 4), 0u);
    EXPECT_EQ(reader->tell(), 10u);
    EXPECT_TRUE(reader->atEnd());
}

TEST(MemoryReader, ReadOfExactlyTheBytesLeftDeliversThem) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(makeData("0123456789"));
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(data.get()));
    char buffer[4] = {};
    ASSERT_TRUE(reader->seek(6));
    EXPECT_EQ(reader->read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_TRUE(reader->atEnd());
}

TEST(MemoryReader, SeekAcceptsTheEndButNothingBeyond) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(makeData("0123456789"));
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(data.get()));
    EXPECT_TRUE(reader->seek(10));
    EXPECT_TRUE(reader->atEnd());
    EXPECT_FALSE(reader->seek(11));
    EXPECT_EQ(reader->tell(), 10u);
}

TEST(MemoryReader, ReadsWholeRequestsAndKeepsItsData) {
    ph::Data<char>* data = makeData("abcdef");
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(data));
    data->release(); // the reader holds its own reference
    char buffer[4] = {};
    EXPECT_EQ(reader->read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(reader->size(), 6u);
    EXPECT_EQ(std::string(reader->contents(), 6), "abcdef");
    EXPECT_FALSE(reader->atEnd());
}

TEST(MemoryReader, DataWithoutBufferReadsAsEmpty) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(new ph::Data<char>(10));
    std::free(data->elements); // as if the allocation had failed
    data->elements = nullptr;
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(data.get()));
    char buffer[4];
    EXPECT_EQ(reader->size(), 0u);
    EXPECT_EQ(reader->read(buffer, 4), 0u);
    EXPECT_TRUE(reader->atEnd());
}

TEST(FileReader, ShortReadAtTheEndDeliversWhatIsThere) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("f.bin"), "hello");
    ph::Pointer<ph::FileReader> reader = ph::adopt(new ph::FileReader(dir.file("f.bin")));
    ASSERT_TRUE(reader->isOpen());
    EXPECT_EQ(reader->size(), 5u);
    char buffer[16];
    ASSERT_TRUE(reader->seek(3));
    EXPECT_EQ(reader->read(buffer, 16), 2u);
    EXPECT_EQ(std::string(buffer, 2), "lo");
    EXPECT_TRUE(reader->atEnd());
}

TEST(FileReader, ContentsIsTheWholeFileAndKeepsThePosition) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("f.bin"), "abcdef");
    ph::Pointer<ph::FileReader> reader = ph::adopt(new ph::FileReader(dir.file("f.bin")));
    ASSERT_TRUE(reader->seek(2));
    const char* contents = reader->contents();
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(std::string(contents, 6), "abcdef");
    EXPECT_EQ(reader->tell(), 2u);
    EXPECT_EQ(reader->contents(), contents); // cached
}

TEST(FileReader, MissingOrEmptyFileHasNoContents) {
    testsupport::TempDir dir;
    ph::Pointer<ph::FileReader> missing = ph::adopt(new ph::FileReader(dir.file("none")));
    EXPECT_FALSE(missing->isOpen());
    char byte;
    EXPECT_EQ(missing->read(&byte, 1), 0u);
    EXPECT_FALSE(missing->seek(0));
    EXPECT_EQ(missing->contents(), nullptr);

    testsupport::writeFile(dir.file("empty"), "");
    ph::Pointer<ph::FileReader> empty = ph::adopt(new ph::FileReader(dir.file("empty")));
    EXPECT_TRUE(empty->isOpen());
    EXPECT_EQ(empty->contents(), nullptr);
}

TEST(FileWriter, SeekIsRelativeToTheCurrentPosition) {
    testsupport::TempDir dir;
    {
        ph::Pointer<ph::FileWriter> writer = ph::adopt(new ph::FileWriter(dir.file("out")));
        EXPECT_EQ(writer->write("abcdef", 6), 6u);
        EXPECT_TRUE(writer->seek(-4));
        EXPECT_EQ(writer->write("XY", 2), 2u);
        EXPECT_TRUE(writer->seek(1));
        EXPECT_EQ(writer->write("Z", 1), 1u);
    }
    EXPECT_EQ(testsupport::readFile(dir.file("out")), "abXYeZ");
}

TEST(FileWriter, ChecksumTrailerIsTheLittleEndianCrcOfTheContents) {
    testsupport::TempDir dir;
    const std::string body = "The quick brown fox";
    {
        ph::Pointer<ph::FileWriter> writer = ph::adopt(new ph::FileWriter(dir.file("out")));
        writer->appendChecksum = true;
        writer->write(body.data(), uint32_t(body.size()));
    }
    std::string written = testsupport::readFile(dir.file("out"));
    ASSERT_EQ(written.size(), body.size() + 4);
    uint32_t crc =
        uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
    const unsigned char* trailer =
        reinterpret_cast<const unsigned char*>(written.data()) + body.size();
    EXPECT_EQ(trailer[0] | trailer[1] << 8 | trailer[2] << 16 | uint32_t(trailer[3]) << 24, crc);
    EXPECT_EQ(written.substr(0, body.size()), body);
}

TEST(FileWriter, EmptyFileGetsNoTrailerAndUnopenedWriterWritesNothing) {
    testsupport::TempDir dir;
    {
        ph::Pointer<ph::FileWriter> writer = ph::adopt(new ph::FileWriter(dir.file("empty")));
        writer->appendChecksum = true;
    }
    EXPECT_EQ(testsupport::readFile(dir.file("empty")), "");

    ph::Pointer<ph::FileWriter> broken = ph::adopt(new ph::FileWriter(dir.file("no/such/dir/f")));
    EXPECT_FALSE(broken->isOpen());
    EXPECT_EQ(broken->write("x", 1), 0u);
    EXPECT_FALSE(broken->seek(0));
}

TEST(FormatString, FormatsAndCutsAt1023Characters) {
    EXPECT_EQ(ph::formatString("Date: %02d.%02d.%d", 3, 7, 2026), "Date: 03.07.2026");
    std::string longText(2000, 'x');
    EXPECT_EQ(ph::formatString("%s", longText.c_str()).size(), 1023u);
}

} // namespace

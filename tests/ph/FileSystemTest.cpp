#include "ph/FileSystem.h"
#include "ph/IInputStream.h"
#include "ph/IOutputStream.h"
#include "ph/Pointer.h"
#include "ph/ZipArchive.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "tests/support/ZipWriter.h"

#include <gtest/gtest.h>
#include <minizip/unzip.h>

namespace {

using testsupport::ZipEntry;

// The file system is process-wide: each test gets a fresh root and leaves
// nothing mounted.
class FileSystemTest : public testing::Test {
protected:
    void SetUp() override { fs.setRoot(dir.path()); }
    void TearDown() override {
        fs.unmountArchive();
        fs.setRoot("");
    }

    // The whole stream, or "<none>" when it could not be opened.
    std::string read(const std::string& path, bool absolute = false) {
        ph::Pointer<ph::IInputStream> in = ph::adopt(fs.openForReading(path, absolute));
        if (!in) {
            return "<none>";
        }
        std::string bytes(in->size(), '\0');
        if (!bytes.empty() && in->read(&bytes[0], uint32_t(bytes.size())) != bytes.size()) {
            return "<short>";
        }
        return bytes;
    }

    testsupport::TempDir dir;
    ph::FileSystem& fs = ph::FileSystem::instance();
};

TEST_F(FileSystemTest, RelativePathsArePrefixedWithTheRootAbsoluteOnesAreNot) {
    testsupport::writeFile(dir.file("movie.ogv"), "M");
    EXPECT_EQ(fs.fullPath("movie.ogv", false), dir.path() + "movie.ogv");
    EXPECT_EQ(fs.fullPath("movie.ogv", true), "movie.ogv");
    EXPECT_EQ(read("movie.ogv"), "M");
    EXPECT_EQ(read(dir.file("movie.ogv"), true), "M");
    EXPECT_EQ(read("movie.ogv", true), "<none>"); // not in the current directory
}

TEST_F(FileSystemTest, ExistsRemoveAndWrite) {
    EXPECT_FALSE(fs.exists("new.txt", false));
    {
        ph::Pointer<ph::IOutputStream> out = ph::adopt(fs.openForWriting("new.txt", false));
        ASSERT_TRUE(out);
        EXPECT_EQ(out->write("abc", 3), 3u);
    }
    EXPECT_TRUE(fs.exists("new.txt", false));
    EXPECT_EQ(testsupport::readFile(dir.file("new.txt")), "abc");
    fs.removeFile("new.txt", false);
    EXPECT_FALSE(fs.exists("new.txt", false));
}

TEST_F(FileSystemTest, MissingFileGivesNoStream) {
    EXPECT_EQ(read("missing.txt"), "<none>");
}

TEST_F(FileSystemTest, ArchiveEntriesAreReadPlainOrWithTheirPassword) {
    testsupport::writeZip(dir.file("pack.zip"), {{"plain.txt", "plain bytes", ""},
                                                 {"dir/secret.txt", "secret bytes", "pa55"},
                                                 {"empty.txt", "", ""}});
    ASSERT_TRUE(fs.mountArchive("pack.zip", "pa55", false));
    EXPECT_TRUE(fs.isArchiveMounted());

    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"plain.txt", "plain bytes"},
        {"dir/secret.txt", "secret bytes"},
        {"dir\\secret.txt", "secret bytes"}, // backslashes read as slashes
        {"DIR/Secret.TXT", "secret bytes"},  // letter case ignored, as on Windows
        {"empty.txt", "<none>"},             // a zero-size entry cannot be opened
        {"missing.txt", "<none>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.path), c.expected) << c.path;
    }
}

TEST_F(FileSystemTest, WrongPasswordOpensNothing) {
    testsupport::writeZip(dir.file("pack.zip"), {{"secret.txt", std::string(300, 's'), "right"}});
    ASSERT_TRUE(fs.mountArchive("pack.zip", "wrong", false));
    EXPECT_EQ(read("secret.txt"), "<none>");
}

TEST_F(FileSystemTest, MountedArchiveHidesDiskFilesFromReadingOnly) {
    testsupport::writeFile(dir.file("disk.txt"), "on disk");
    testsupport::writeZip(dir.file("pack.zip"), {{"inside.txt", "inside", ""}});
    ASSERT_TRUE(fs.mountArchive("pack.zip", "", false));
    EXPECT_EQ(read("disk.txt"), "<none>");
    EXPECT_TRUE(fs.exists("disk.txt", false));
    fs.unmountArchive();
    EXPECT_FALSE(fs.isArchiveMounted());
    EXPECT_EQ(read("disk.txt"), "on disk");
}

TEST_F(FileSystemTest, EntryNotMatchingItsCrcReadsAsNothing) {
    std::string zip = testsupport::makeZip({{"a.txt", "some bytes", ""}});
    // Both headers carry the same wrong CRC: only the data disagrees.
    const struct {
        const char* signature;
        size_t crcOffset;
    } headers[] = {{"PK\x03\x04", 14}, {"PK\x01\x02", 16}};
    for (const auto& header : headers) {
        size_t at = zip.find(header.signature);
        ASSERT_NE(at, std::string::npos) << "no header " << header.crcOffset;
        zip[at + header.crcOffset] = char(zip[at + header.crcOffset] ^ 0x5A);
    }
    testsupport::writeFile(dir.file("pack.zip"), zip);
    ASSERT_TRUE(fs.mountArchive("pack.zip", "", false));
    EXPECT_EQ(read("a.txt"), "<none>");
}

TEST_F(FileSystemTest, EntryClaimingMoreThanItsDataCanGiveIsRefusedBeforeAllocating) {
    std::string zip = testsupport::makeZip({{"a.txt", "some bytes", ""}});
    const struct {
        const char* signature;
        size_t sizeOffset;
    } headers[] = {{"PK\x03\x04", 22}, {"PK\x01\x02", 24}};
    for (const auto& header : headers) {
        size_t at = zip.find(header.signature);
        ASSERT_NE(at, std::string::npos);
        zip.replace(at + header.sizeOffset, 4, "\xf0\xff\xff\xff"); // 4 GB - 16
    }
    testsupport::writeFile(dir.file("pack.zip"), zip);
    unzFile archive = unzOpen(dir.file("pack.zip").c_str());
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(unzGoToFirstFile(archive), UNZ_OK);
    uint32_t size = 0;
    EXPECT_FALSE(ph::currentEntrySize(archive, size));
    unzClose(archive);
    ASSERT_TRUE(fs.mountArchive("pack.zip", "", false));
    EXPECT_EQ(read("a.txt"), "<none>");
}

TEST_F(FileSystemTest, NestedArchiveOpensWithTheReversedPassword) {
    std::string inner = testsupport::makeZip({{"a.txt", "inner a", "abc"}});
    // The outer archive file and its entry share a name; the entry is
    // encrypted with the password reversed.
    testsupport::writeZip(dir.file("data.pak"), {{"data.pak", inner, "cba"}});
    ASSERT_TRUE(fs.mountArchive("data.pak", "abc", true));
    EXPECT_EQ(read("a.txt"), "inner a");
}

TEST_F(FileSystemTest, FailedMountsLeaveNothingMounted) {
    testsupport::writeZip(dir.file("one.zip"), {{"one.txt", "1", ""}});
    testsupport::writeFile(dir.file("junk.zip"), "not a zip at all");
    std::string inner = testsupport::makeZip({{"a.txt", "a", ""}});
    testsupport::writeZip(dir.file("outer.pak"), {{"outer.pak", inner, "xyz"}});

    ASSERT_TRUE(fs.mountArchive("one.zip", "", false));
    EXPECT_FALSE(fs.mountArchive("junk.zip", "", false));
    EXPECT_FALSE(fs.isArchiveMounted());
    EXPECT_FALSE(fs.mountArchive("missing.zip", "", false));
    EXPECT_FALSE(fs.mountArchive("outer.pak", "xyz", true)); // should be "zyx"
    EXPECT_FALSE(fs.isArchiveMounted());
}

TEST_F(FileSystemTest, MountingReplacesTheMountedArchive) {
    testsupport::writeZip(dir.file("one.zip"), {{"one.txt", "1", ""}});
    testsupport::writeZip(dir.file("two.zip"), {{"two.txt", "2", ""}});
    ASSERT_TRUE(fs.mountArchive("one.zip", "", false));
    ASSERT_TRUE(fs.mountArchive("two.zip", "", false));
    EXPECT_EQ(read("one.txt"), "<none>");
    EXPECT_EQ(read("two.txt"), "2");
}

} // namespace

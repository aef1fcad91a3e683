// Engine resources under Wine: packs before disk, passwords, paths, file and
// folder search, ini settings, random numbers, string tables and the message
// table.
#include "tests/support/EngineFixtureWin32.h"

#include "engine/EngineRandom.h"
#include "engine/MessageTable.h"
#include "engine/StringTable.h"
#include "ph/FileSystem.h"
#include "ph/Log.h"
#include "tests/support/Files.h"
#include "tests/support/ZipWriter.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>

namespace enginetest {
namespace {

using EngineDataWin32 = EngineWin32Test;
using EngineSettingsWin32 = EngineWin32Test;

std::string loaded(Engine* engine, const char* name) {
    uint32_t size = 0;
    void* block = engine->Data_LoadFile(name, &size);
    if (block == nullptr) {
        return "<none>";
    }
    std::string bytes(static_cast<const char*>(block), size);
    engine->Data_FreeFile(block);
    return bytes;
}

TEST_F(EngineDataWin32, PacksComeBeforeTheDisk) {
    CreateDirectoryA(folder.file("data").c_str(), nullptr);
    testsupport::writeFile(folder.file("data/a.txt"), "disk a");
    testsupport::writeFile(folder.file("b.txt"), "disk b");
    testsupport::writeZip(folder.file("pack.zip"), {{"data/a.txt", "pack a", ""}});

    EXPECT_EQ("disk a", loaded(engine, "data/a.txt"));
    ASSERT_TRUE(engine->Data_AddArchive("pack.zip", nullptr));
    EXPECT_FALSE(engine->Data_AddArchive("PACK.ZIP", nullptr)) << "same pack twice";
    EXPECT_FALSE(engine->Data_AddArchive("missing.zip", nullptr));

    EXPECT_EQ("pack a", loaded(engine, "data/a.txt"));
    EXPECT_EQ("pack a", loaded(engine, "DATA\\A.TXT"));
    EXPECT_EQ("disk b", loaded(engine, "b.txt"));
    // Absolute names never look into packs.
    EXPECT_EQ("disk a", loaded(engine, engine->Data_ResolvePath("data/a.txt")));

    engine->Data_RemoveArchive("pack.zip");
    EXPECT_EQ("disk a", loaded(engine, "data/a.txt"));
}

TEST_F(EngineDataWin32, NewestPackWinsAndPasswordsAreUsed) {
    testsupport::writeZip(folder.file("old.zip"), {{"x.txt", "old", ""}});
    testsupport::writeZip(folder.file("new.zip"), {{"x.txt", "new secret", "pw"}});
    testsupport::writeFile(folder.file("x.txt"), "disk");
    ASSERT_TRUE(engine->Data_AddArchive("old.zip", nullptr));
    ASSERT_TRUE(engine->Data_AddArchive("new.zip", "pw"));
    EXPECT_EQ("new secret", loaded(engine, "x.txt"));

    // A wrong password fails the load; the disk copy is not tried.
    engine->Data_RemoveAllArchives();
    ASSERT_TRUE(engine->Data_AddArchive("new.zip", "wrong"));
    EXPECT_EQ("<none>", loaded(engine, "x.txt"));
    EXPECT_STREQ("Can't load resource: x.txt", engine->System_GetLastError());
    EXPECT_EQ("Can't load resource: x.txt", logLines().back());

    // Passwords longer than the pack record holds are refused, not cut.
    EXPECT_FALSE(engine->Data_AddArchive("old.zip", std::string(64, 'p').c_str()));
    EXPECT_TRUE(engine->Data_AddArchive("old.zip", std::string(63, 'p').c_str()));
}

TEST_F(EngineDataWin32, PlainEntryOfAPasswordProtectedPackIsReadWithoutThePassword) {
    testsupport::writeZip(folder.file("mixed.zip"),
                          {{"plain.txt", "plain bytes", ""}, {"secret.txt", "secret", "pw"}});
    ASSERT_TRUE(engine->Data_AddArchive("mixed.zip", "pw"));
    EXPECT_EQ("plain bytes", loaded(engine, "plain.txt"));
    EXPECT_EQ("secret", loaded(engine, "secret.txt"));
}

TEST_F(EngineDataWin32, OverlongEntryNamesInAPackAreSkipped) {
    const std::string longEntry = std::string(300, 'd') + ".txt";
    testsupport::writeZip(folder.file("long.zip"),
                          {{longEntry, "long", ""}, {"short.txt", "short", ""}});
    ASSERT_TRUE(engine->Data_AddArchive("long.zip", nullptr));
    EXPECT_EQ("short", loaded(engine, "short.txt"));
    EXPECT_EQ("<none>", loaded(engine, longEntry.c_str()));
}

TEST_F(EngineDataWin32, MissingAndOverlongNamesFailCleanly) {
    EXPECT_EQ("<none>", loaded(engine, "absent.bin"));
    EXPECT_STREQ("Can't load resource: absent.bin", engine->System_GetLastError());
    const std::string longName(400, 'n');
    EXPECT_EQ(nullptr, engine->Data_LoadFile(longName.c_str(), nullptr));
    EXPECT_EQ(0u, std::string(engine->System_GetLastError()).rfind("Can't load resource: nnn", 0));
    EXPECT_EQ(255u, strlen(engine->System_GetLastError()));
    EXPECT_STREQ("", engine->Data_ResolvePath(longName.c_str()));
}

TEST_F(EngineDataWin32, PathsResolveAgainstTheApplicationDirectory) {
    const std::string directory = engine->System_GetText(AppDirectory);
    EXPECT_EQ('\\', directory.back());
    EXPECT_EQ(directory, engine->Data_ResolvePath(nullptr));
    EXPECT_EQ(directory + "a\\b\\c.png", engine->Data_ResolvePath("a/b/c.png"));
    EXPECT_STREQ("D:\\x\\y.ini", engine->Data_ResolvePath("D:/x/y.ini"));
    EXPECT_STREQ("\\root\\f", engine->Data_ResolvePath("/root/f"));
}

TEST_F(EngineDataWin32, FindFilesAndFoldersShareOneSearch) {
    testsupport::writeFile(folder.file("one.txt"), "1");
    testsupport::writeFile(folder.file("two.txt"), "2");
    testsupport::writeFile(folder.file("three.dat"), "3");
    CreateDirectoryA(folder.file("sub1").c_str(), nullptr);
    CreateDirectoryA(folder.file("sub2").c_str(), nullptr);

    EXPECT_EQ(nullptr, engine->Data_FindFiles(nullptr)) << "no search running";
    std::set<std::string> files;
    for (const char* name = engine->Data_FindFiles("*.txt"); name != nullptr;
         name = engine->Data_FindFiles(nullptr)) {
        files.insert(name);
    }
    EXPECT_EQ((std::set<std::string>{"one.txt", "two.txt"}), files);
    EXPECT_EQ(nullptr, engine->Data_FindFiles(nullptr)) << "the finished search is closed";

    std::set<std::string> folders;
    for (const char* name = engine->Data_FindFolders("*"); name != nullptr;
         name = engine->Data_FindFolders(nullptr)) {
        folders.insert(name);
    }
    EXPECT_EQ((std::set<std::string>{"sub1", "sub2"}), folders);
}

TEST_F(EngineSettingsWin32, IniValuesRoundTrip) {
    EXPECT_EQ(7, engine->Settings_ReadInt("S", "n", 7)) << "no ini file: the default";
    engine->Settings_WriteInt("S", "n", 5);
    EXPECT_FALSE(testsupport::fileExists(folder.file("app.ini")));
    EXPECT_STREQ("dflt", engine->Settings_ReadString("S", "s", "dflt"));

    engine->System_SetText(IniFile, "app.ini");
    engine->Settings_WriteInt("SYSTEM", "Windowed", -12);
    engine->Settings_WriteFloat("SYSTEM", "Gamma", 1.25f);
    engine->Settings_WriteString("SYSTEM", "Language", "DE");
    EXPECT_EQ(-12, engine->Settings_ReadInt("SYSTEM", "Windowed", 0));
    EXPECT_FLOAT_EQ(1.25f, engine->Settings_ReadFloat("SYSTEM", "Gamma", 0.0f));
    EXPECT_STREQ("DE", engine->Settings_ReadString("SYSTEM", "Language", "EN"));
    EXPECT_STREQ("EN", engine->Settings_ReadString("SYSTEM", "Missing", "EN"));
    EXPECT_EQ(3, engine->Settings_ReadInt("SYSTEM", "Missing", 3));
    EXPECT_FLOAT_EQ(0.5f, engine->Settings_ReadFloat("SYSTEM", "Missing", 0.5f));
    EXPECT_NE(std::string::npos,
              testsupport::readFile(folder.file("app.ini")).find("Gamma=1.250000"));
}

TEST_F(EngineSettingsWin32, IntegersTakeTheLeadingNumber) {
    engine->System_SetText(IniFile, "app.ini");
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {{"12abc", 12}, {"abc", 0}, {" 42", 42}, {"-3x", -3}};
    for (const Case& c : cases) {
        engine->Settings_WriteString("S", "k", c.stored);
        EXPECT_EQ(c.expected, engine->Settings_ReadInt("S", "k", 99)) << c.stored;
    }
    // Over-long values are cut to the 255 characters of the string buffer.
    engine->Settings_WriteString("S", "long", std::string(400, 'v').c_str());
    EXPECT_EQ(std::string(255, 'v'), engine->Settings_ReadString("S", "long", ""));
}

TEST_F(EngineSettingsWin32, RandomSequenceFollowsItsSeed) {
    engine->Rand_SetSeed(1234);
    uint32_t s = 1234;
    for (int i = 0; i < 10; ++i) {
        s = s * 214013u + 2531011u;
        EXPECT_EQ(static_cast<int>((s ^ (s >> 15)) % 6u) + 1, engine->Rand_Integer(1, 6));
    }
    EXPECT_EQ(5, engine->Rand_Integer(5, 5));
    // Seed 0 takes the clock's milliseconds.
    clock.time = 777;
    engine->Rand_SetSeed(0);
    EXPECT_EQ(777u, enginerandom::state());
    const float r = engine->Rand_Real(2.0f, 3.0f);
    EXPECT_GE(r, 2.0f);
    EXPECT_LT(r, 3.0f);
}

TEST_F(EngineDataWin32, StringTablesLoadThroughTheFileSystem) {
    ph::FileSystem& files = ph::FileSystem::instance();
    const std::string oldRoot = files.root();
    files.setRoot(folder.path());
    testsupport::writeFile(folder.file("good.txt"), "[STRINGTABLE]\nHELLO = \"Hi\\nthere\"\n");
    testsupport::writeFile(folder.file("bad.txt"), "[STRINGS]\nHELLO = \"Hi\"\n");

    std::unique_ptr<StringTable> good(loadStringTable("good.txt"));
    EXPECT_STREQ("Hi\nthere", good->lookup("HELLO"));
    std::unique_ptr<StringTable> bad(loadStringTable("bad.txt"));
    EXPECT_TRUE(bad->empty());
    EXPECT_EQ("String table bad.txt has incorrect format.", logLines().back());
    ph::logFileName = folder.file("program.log");
    std::unique_ptr<StringTable> missing(loadStringTable("missing.txt"));
    EXPECT_TRUE(missing->empty());
    files.setRoot(oldRoot);
}

TEST_F(EngineDataWin32, MessageTableHasItsDefaultsAndTheDollarFallback) {
    ph::logFileName = folder.file("program.log");
    EXPECT_EQ("Warning!", lookupMessage("WARNING"));
    EXPECT_EQ("Sound card not detected. The game will continue without audio.",
              lookupMessage("NO_SOUND_CARD"));
    EXPECT_EQ("Your screen resolution is not supported for windowed game mode.\nGame will be "
              "automatically switched to full screen.",
              lookupMessage("FORCING_FULLSCREEN"));
    EXPECT_EQ("The game cannot be switched to windowed mode\nbecause your screen resolution is "
              "not supported.",
              lookupMessage("CANNOT_SWITCH_WINDOWED"));
    EXPECT_EQ("$warning", lookupMessage("warning"));
    EXPECT_EQ("$NOT_THERE", lookupMessage("NOT_THERE"));
}

} // namespace
} // namespace enginetest

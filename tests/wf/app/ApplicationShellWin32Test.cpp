// The Win32 shell's desktop services on a real (Wine) desktop: registry
// values read back, files copied into the shell folders, a child program
// waited for, the data folder created.
#include "tests/support/Files.h"
#include "tests/support/Process.h"
#include "wf/app/ApplicationWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <string>

namespace {

const char desktopKey[] = "Control Panel\\Desktop";

std::string readDesktopValue(const char* name, bool* found = nullptr) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key = nullptr;
    bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    ok = ok &&
         RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
             ERROR_SUCCESS &&
         type == REG_SZ;
    if (key != nullptr) {
        RegCloseKey(key);
    }
    if (found != nullptr) {
        *found = ok;
    }
    return ok ? std::string(value) : std::string();
}

std::string shellFolder(int csidl) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string programDirectory() {
    std::string folder = testsupport::programFolder();
    return folder.substr(0, folder.size() - 1); // without the separator
}

std::string programPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    return path;
}

// A 1 x 1 bitmap file, enough for the system to take as a wallpaper.
std::string tinyBitmap() {
    std::string bytes(58, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = char((v >> (8 * i)) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 58);
    put32(10, 54);
    put32(14, 40);
    put32(18, 1);
    put32(22, 1);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, 4);
    return bytes;
}

class ApplicationShellWin32 : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& file : created) {
            DeleteFileA(file.c_str());
        }
    }
    std::string makeFile(const std::string& relative, const std::string& bytes) {
        const std::string path = programDirectory() + "\\" + relative;
        CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
        testsupport::writeFile(path, bytes);
        created.push_back(path);
        return path;
    }

    wf::ApplicationWin32 shell;
    std::vector<std::string> created;
};

TEST_F(ApplicationShellWin32, ScreenSaverRegistrationIsWrittenAndRemoved) {
    // The program's own path with ".scr": give it a file so it has a short form.
    std::string scr = programPath();
    scr = scr.substr(0, scr.rfind('.')) + ".scr";
    ASSERT_TRUE(CopyFileA(programPath().c_str(), scr.c_str(), FALSE));
    created.push_back(scr);
    char shortForm[MAX_PATH] = "";
    ASSERT_NE(0u, GetShortPathNameA(scr.c_str(), shortForm, sizeof(shortForm)));

    EXPECT_EQ(ERROR_SUCCESS, shell.setAsScreenSaver(true));
    EXPECT_EQ(shortForm, readDesktopValue("SCRNSAVE.EXE"));
    EXPECT_EQ("1", readDesktopValue("ScreenSaveActive"));

    EXPECT_EQ(ERROR_SUCCESS, shell.setAsScreenSaver(false));
    bool found = true;
    readDesktopValue("SCRNSAVE.EXE", &found);
    EXPECT_FALSE(found);
}

TEST_F(ApplicationShellWin32, WallpaperIsStretchedAndSetFromTheProgramFolder) {
    const std::string picture = makeFile("shelltest\\wall.bmp", tinyBitmap());
    shell.setWallpaper("shelltest/wall.bmp");
    EXPECT_EQ("2", readDesktopValue("WallpaperStyle"));
    EXPECT_EQ("0", readDesktopValue("TileWallpaper"));
    char current[MAX_PATH] = "";
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof(current), current, 0);
    EXPECT_STREQ(picture.c_str(), current);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), 0);
}

TEST_F(ApplicationShellWin32, FilesAreCopiedIntoDesktopAndDocuments) {
    makeFile("shelltest\\note.txt", "a note");
    struct Case {
        const char* name;
        int csidl;
        bool (wf::ApplicationWin32::*copy)(const std::string&, bool);
    };
    const Case cases[] = {
        {"desktop", CSIDL_DESKTOPDIRECTORY, &wf::ApplicationWin32::copyToDesktop},
        {"documents", CSIDL_PERSONAL, &wf::ApplicationWin32::copyToDocuments},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = shellFolder(c.csidl) + "\\note.txt";
        DeleteFileA(target.c_str());
        created.push_back(target);
        EXPECT_TRUE((shell.*c.copy)("shelltest/note.txt", true));
        EXPECT_EQ("a note", testsupport::readFile(target));
        EXPECT_FALSE((shell.*c.copy)("shelltest/note.txt", true)) << "overwrote an existing file";
        EXPECT_TRUE((shell.*c.copy)("shelltest/note.txt", false));
        EXPECT_FALSE((shell.*c.copy)("shelltest/", false)) << "a path without a file name";
        EXPECT_FALSE((shell.*c.copy)("shelltest/missing.txt", false));
    }
}

TEST_F(ApplicationShellWin32, DocumentsPathNamesTheFileInTheDocumentsFolder) {
    EXPECT_EQ(shellFolder(CSIDL_PERSONAL) + "\\save.dat", shell.documentsPath("saves/save.dat"));
    EXPECT_EQ(shellFolder(CSIDL_PERSONAL) + "\\save.dat", shell.documentsPath("save.dat"));
    EXPECT_EQ("", shell.documentsPath("saves/"));
}

TEST_F(ApplicationShellWin32, RunProcessAndWaitReturnsAfterTheChildEnded) {
    const std::string marker = programDirectory() + "\\shell_child_done.txt";
    DeleteFileA(marker.c_str());
    created.push_back(marker);
    shell.runProcessAndWait("shell_child_win32.exe", "shell_child_win32.exe \"" + marker + "\"");
    EXPECT_EQ("done", testsupport::readFile(marker));
}

TEST_F(ApplicationShellWin32, DataFolderIsMadeUnderApplicationData) {
    const std::string appData = shellFolder(CSIDL_APPDATA);
    shell.setDataFolder("ShellTestMaker", "Product: One");
    const std::string expected = appData + "\\ShellTestMaker\\Product  One\\";
    EXPECT_EQ(expected, shell.getDataFolder());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(expected.c_str()));

    shell.setDataFolder("ShellTestMaker", "");
    EXPECT_EQ(appData + "\\ShellTestMaker\\Application\\", shell.getDataFolder());
    RemoveDirectoryA(expected.c_str());
    RemoveDirectoryA(shell.getDataFolder().c_str());
    RemoveDirectoryA((appData + "\\ShellTestMaker").c_str());
}

} // namespace

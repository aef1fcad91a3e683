// Under Wine: the resources of the built Brindlemoor.exe, read back through the
// Windows resource and version APIs as the shell and the loader see them.

#include "tests/launcher/LauncherFilesWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace launchertest;

namespace {

#pragma pack(push, 2)
// The layout of an RT_GROUP_ICON resource.
struct IconDirectoryEntry {
    BYTE width; // 0 means 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id; // of the RT_ICON resource holding the image
};
struct IconDirectory {
    WORD reserved;
    WORD type; // 1 for icons
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

std::string launcherPath() {
    return testFolder() + "Brindlemoor.exe";
}

class BrindlemoorResourcesWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(launcherPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << launcherPath();
    }
    void TearDown() override {
        if (module) {
            FreeLibrary(module);
        }
    }

    // The bytes of a resource, empty when it is missing.
    std::string resource(const char* name, const char* type) {
        HRSRC found = FindResourceA(module, name, type);
        if (!found) {
            return "";
        }
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(bytes, SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

TEST_F(BrindlemoorResourcesWin32, MainIconHoldsOne256PixelImage) {
    std::string group = resource("MAINICON", RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(IconDirectory));
    const auto* directory = reinterpret_cast<const IconDirectory*>(group.data());
    EXPECT_EQ(directory->type, 1);
    ASSERT_EQ(directory->count, 1);
    const IconDirectoryEntry& entry = directory->entries[0];
    EXPECT_EQ(entry.width, 0) << "0 stands for 256";
    EXPECT_EQ(entry.height, 0);
    EXPECT_EQ(entry.bitCount, 32);

    // The image itself must decode to 256 x 256.
    std::string image = resource(MAKEINTRESOURCEA(entry.id), RT_ICON);
    ASSERT_EQ(image.size(), entry.bytesInResource);
    HICON icon =
        CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()), DWORD(image.size()), TRUE,
                                 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, 256);
    EXPECT_EQ(colour.bmHeight, 256);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(BrindlemoorResourcesWin32, VersionBlockNamesTheProductInUsEnglish) {
    std::string path = launcherPath();
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409); // U.S. English
    EXPECT_EQ(translation[1], 1252);

    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"FileDescription", "Brindle Moor"}, {"InternalName", "Brindle Moor"},
        {"ProductName", "Brindle Moor"},     {"FileVersion", "1.0.0.0"},
        {"ProductVersion", "1.0.0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::string query = std::string("\\StringFileInfo\\040904E4\\") + c.key;
        char* text = nullptr;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, c.value);
    }
}

// The whole element ("<...>") of the manifest that contains `marker`.
std::string elementWith(const std::string& manifest, const std::string& marker) {
    size_t at = manifest.find(marker);
    if (at == std::string::npos) {
        return "";
    }
    size_t begin = manifest.rfind('<', at);
    size_t end = manifest.find('>', at);
    return manifest.substr(begin, end - begin + 1);
}

TEST_F(BrindlemoorResourcesWin32, ManifestAsksForCommonControls6AndRunsAsInvoker) {
    std::string manifest = resource(MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());

    std::string controls = elementWith(manifest, "\"Microsoft.Windows.Common-Controls\"");
    EXPECT_NE(controls.find("version=\"6.0.0.0\""), std::string::npos) << controls;
    EXPECT_NE(controls.find("type=\"win32\""), std::string::npos) << controls;

    std::string level = elementWith(manifest, "requestedExecutionLevel");
    EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;
    EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << level;
}

} // namespace

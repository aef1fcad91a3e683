// Under Wine: app.config in the Wine user's application-data folder.
#include "screensaver/MovieChoice.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

namespace {

class MovieChoiceWin32 : public testing::Test {
protected:
    void SetUp() override {
        char appData[MAX_PATH];
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                               SHGFP_TYPE_CURRENT, appData)));
        folder = std::string(appData) + "\\Torvane";
        CreateDirectoryA(folder.c_str(), nullptr);
        folder += "\\Brindlemoor_Quillhaven_Ozmir";
        CreateDirectoryA(folder.c_str(), nullptr);
        config = folder + "\\app.config";
        DeleteFileA(config.c_str());
    }
    void TearDown() override { DeleteFileA(config.c_str()); }

    std::string folder;
    std::string config;
};

TEST_F(MovieChoiceWin32, ReadsTheChoiceFromTheGamesFolder) {
    testsupport::writeFile(config, "volume = 1\r\ncurrent_scr = movies\\intro.ogv\r\n");
    EXPECT_EQ(screensaver::readCurrentMovie(), "movies\\intro.ogv");
}

TEST_F(MovieChoiceWin32, MissingFileGivesEmptyChoice) {
    EXPECT_EQ(screensaver::readCurrentMovie(), "");
}

} // namespace

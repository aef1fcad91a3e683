// The engine where no audio library can be found: this program is built into
// a folder of its own, away from the tests' stand-in "bass.dll".
#include "tests/support/EngineFixtureWin32.h"

namespace enginetest {
namespace {

// The library is looked for beside the program and in the current folder:
// make the current folder the scratch one, away from the stand-in.
class EngineNoAudioWin32 : public EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        GetCurrentDirectoryA(sizeof(previous), previous);
        SetCurrentDirectoryA(folder.path().c_str());
    }
    void TearDown() override {
        EngineWin32Test::TearDown();
        SetCurrentDirectoryA(previous);
    }

    char previous[MAX_PATH] = "";
};

TEST_F(EngineNoAudioWin32, MissingLibraryFailsStartUpWithSoundOn) {
    engine->System_SetFlag(Windowed, true);
    EXPECT_FALSE(engine->System_Initiate());
    EXPECT_STREQ("Can't load BASS.DLL", engine->System_GetLastError());
    EXPECT_EQ("Can't load BASS.DLL", logLines().at(logLines().size() - 4))
        << "followed by the shut-down lines";
    EXPECT_EQ("The End.", logLines().back());
    EXPECT_EQ(nullptr, engine->System_GetWindow(WindowHandle));
}

TEST_F(EngineNoAudioWin32, SoundOffStartsWithoutTheLibrary) {
    ASSERT_TRUE(initiate());
    EXPECT_EQ(nullptr, GetModuleHandleA("bass.dll"));
    // Turning sound on later fails quietly: the engine keeps running without it.
    engine->System_SetFlag(SoundEnabled, true);
    EXPECT_STREQ("Can't load BASS.DLL", engine->System_GetLastError());
    EXPECT_EQ(nullptr, engine->soundLibrary);
    EXPECT_EQ(0u, engine->Sample_Load("x.wav", 0));
}

} // namespace
} // namespace enginetest

// The real reelsaver.scr under Wine, driven from outside as Windows and a user
// would: the movie on screen, the switches, ending on input, the log and the
// settings file. Each case starts its own screensaver process; the game's
// app.config and the data folder are the Wine prefix's, so the cases run alone.
#include "ph/MemoryReader.h"
#include "ph/Pointer.h"
#include "pr/PictureConversion.h"
#include "tests/support/DesktopWin32.h"
#include "tests/support/Files.h"
#include "tests/support/ProcessWin32.h"
#include "tests/support/TempDir.h"
#include "tests/support/TheoraWriter.h"
#include "wf/video/TheoraVideoClip.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <sstream>

namespace {

using testsupport::ScreenShot;

const char windowClass[] = "ENGINE__WNDCLASS";
const char dialogClass[] = "#32770"; // message boxes
const int messageBoxTextId = 0xFFFF;
const int pictureWidth = 64;
const int pictureHeight = 32; // 2:1, so that a kept aspect would show

// Four flat quadrants, the same in every frame, so that what is on screen
// does not depend on when it is read.
const testsupport::YCbCr quadrants[4] = {
    {82, 90, 240},  // red, top left
    {145, 54, 34},  // green, top right
    {41, 240, 110}, // blue, bottom left
    {210, 16, 146}, // yellow, bottom right
};

std::string quadrantMovie() {
    testsupport::TheoraClip clip;
    clip.width = pictureWidth;
    clip.height = pictureHeight;
    clip.frameCount = 10;
    clip.paint = [](int, th_ycbcr_buffer planes) {
        for (int p = 0; p < 3; ++p) {
            const int w = planes[p].width, h = planes[p].height;
            const int halfW = p == 0 ? pictureWidth / 2 : pictureWidth / 4;
            const int halfH = p == 0 ? pictureHeight / 2 : pictureHeight / 4;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const testsupport::YCbCr& c =
                        quadrants[(y < halfH ? 0 : 2) + (x < halfW ? 0 : 1)];
                    planes[p].data[y * planes[p].stride + x] = p == 0 ? c.y : p == 1 ? c.cb : c.cr;
                }
            }
        }
    };
    return testsupport::encodeTheora(clip);
}

// The clip's own picture through the video texture's colour conversion:
// 0x00RRGGBB, as the screen reads back.
std::vector<uint32_t> decodedPicture(const std::string& movie) {
    ph::Data<char>* bytes = new ph::Data<char>(uint32_t(movie.size()));
    std::memcpy(bytes->elements, movie.data(), movie.size());
    ph::Pointer<ph::MemoryReader> reader = ph::adopt(new ph::MemoryReader(bytes));
    bytes->release();
    ph::Pointer<wf::TheoraVideoClip> clip = ph::adopt(new wf::TheoraVideoClip(reader.get()));
    ph::Pointer<ph::Data<unsigned int>> frame =
        clip->frameAt(1.5f / 25.0f); // every frame is the same picture
    std::vector<uint32_t> pixels;
    if (frame) {
        pixels.resize(size_t(pictureWidth * pictureHeight));
        pr::convertPicture(frame->elements, pictureWidth, pictureHeight,
                           reinterpret_cast<uint8_t*>(pixels.data()), pictureWidth * 4);
    }
    for (uint32_t& pixel : pixels) {
        pixel &= 0x00FFFFFF;
    }
    return pixels;
}

std::string windowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string gameDataFolder() {
    char appData[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                     appData);
    const std::string maker = std::string(appData) + "\\Torvane\\";
    CreateDirectoryA(maker.c_str(), nullptr);
    const std::string game = maker + "Brindlemoor_Quillhaven_Ozmir\\";
    CreateDirectoryA(game.c_str(), nullptr);
    return game;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool allBlack(const ScreenShot& shot) {
    const int points[][2] = {{10, 10},
                             {shot.width / 2, shot.height / 2},
                             {shot.width - 10, shot.height - 10},
                             {shot.width / 4, shot.height / 3}};
    for (const auto& p : points) {
        if (shot.at(p[0], p[1]) != 0) {
            return false;
        }
    }
    return true;
}

class ScreensaverRunWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        data = gameDataFolder();
        for (const char* name : {"app.config", "app_scr.ini", "scrsaver.log"}) {
            DeleteFileA((data + name).c_str());
        }
        program = windowsPath(folder.file("reelsaver.scr"));
        // The build puts the program two folders up, in screensaver/.
        const std::string built =
            testsupport::programFolder() + "..\\..\\screensaver\\reelsaver.scr";
        ASSERT_TRUE(CopyFileA(built.c_str(), program.c_str(), FALSE)) << built;
        // Wine reports the pointer once when the window appears; at (0, 0)
        // the screensaver drops it as no move at all.
        SetCursorPos(0, 0);
    }

    void TearDown() override {
        if (process != nullptr) {
            testsupport::waitOrEnd(process, 0, nullptr);
            CloseHandle(process);
        }
        for (const char* name : {"app.config", "app_scr.ini", "scrsaver.log"}) {
            DeleteFileA((data + name).c_str());
        }
    }

    void chooseMovie(const std::string& relativePath, const std::string& bytes) {
        CreateDirectoryA(windowsPath(folder.file("movies")).c_str(), nullptr);
        testsupport::writeFile(folder.file(relativePath), bytes);
        testsupport::writeFile(data + "app.config", "current_scr = " + relativePath + "\r\n");
    }

    void start(const std::string& arguments = "/s") {
        process = testsupport::startProcess(program, "\"" + program + "\" " + arguments,
                                            windowsPath(folder.path()), &processId);
        ASSERT_NE(nullptr, process);
    }

    // Started, with its window up and given time to show its first frames.
    void startAndWaitForWindow(const std::string& arguments = "/s") {
        start(arguments);
        ASSERT_NE(nullptr, testsupport::waitForWindow(processId, windowClass, 15000))
            << "no screensaver window";
        Sleep(700);
    }

    // Started with the quadrant movie, and running frames: its picture shows.
    void startAndWaitForMovie() {
        const std::string movie = quadrantMovie();
        chooseMovie("movies/quadrants.ogv", movie);
        const std::vector<uint32_t> picture = decodedPicture(movie);
        ASSERT_FALSE(picture.empty());
        const uint32_t topLeft =
            picture[size_t(pictureHeight / 4 * pictureWidth + pictureWidth / 4)];
        startAndWaitForWindow();
        ASSERT_TRUE(testsupport::waitForScreen(
            [&](const ScreenShot& s) {
                return testsupport::colourDistance(topLeft, s.at(s.width / 4, s.height / 4)) <= 12;
            },
            10000))
            << "the movie never appeared";
    }

    bool stillRunning(DWORD forMs) { return WaitForSingleObject(process, forMs) == WAIT_TIMEOUT; }

    // Ended by itself within `withinMs`, with exit code 0.
    void expectEnded(DWORD withinMs) {
        DWORD code = 0;
        const bool ended = testsupport::waitOrEnd(process, withinMs, &code);
        EXPECT_TRUE(ended) << "the screensaver did not end";
        if (ended) {
            EXPECT_EQ(0u, code);
        }
        CloseHandle(process);
        process = nullptr;
    }

    void endWithKey() {
        testsupport::sendKey(VK_SPACE);
        expectEnded(10000);
    }

    testsupport::TempDir folder;
    std::string data;
    std::string program;
    HANDLE process = nullptr;
    DWORD processId = 0;
};

TEST_F(ScreensaverRunWin32, MovieFillsTheScreenStretched) {
    const std::string movie = quadrantMovie();
    const std::vector<uint32_t> picture = decodedPicture(movie);
    ASSERT_EQ(size_t(pictureWidth * pictureHeight), picture.size());
    chooseMovie("movies/quadrants.ogv", movie);
    startAndWaitForWindow();

    // The texture starts white until the first frame arrives.
    const uint32_t topLeft = picture[size_t(pictureHeight / 4 * pictureWidth + pictureWidth / 4)];
    ScreenShot shot;
    ASSERT_TRUE(testsupport::waitForScreen(
        [&](const ScreenShot& s) {
            return testsupport::colourDistance(topLeft, s.at(s.width / 4, s.height / 4)) <= 12;
        },
        10000, &shot))
        << "the movie never appeared";
    ASSERT_GT(shot.width, pictureWidth);
    // Points well inside each quadrant, and points a pixel and a half of the
    // picture in from the screen's corners (the edge pixels are filtered with
    // their neighbours): a movie drawn at its own size or with its aspect kept
    // would leave those black.
    const int w = shot.width, h = shot.height;
    const int cx = 3 * w / (2 * pictureWidth), cy = 3 * h / (2 * pictureHeight);
    const int points[][2] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4},
        {cx, cy},       {w - 1 - cx, cy},   {cx, h - 1 - cy},   {w - 1 - cx, h - 1 - cy}};
    for (const auto& p : points) {
        const int px = p[0] * pictureWidth / w, py = p[1] * pictureHeight / h;
        const uint32_t expected = picture[size_t(py * pictureWidth + px)];
        SCOPED_TRACE(testing::Message() << "screen (" << p[0] << ", " << p[1] << ") picture (" << px
                                        << ", " << py << ")");
        EXPECT_LE(testsupport::colourDistance(expected, shot.at(p[0], p[1])), 12)
            << std::hex << "expected " << expected << " on screen " << shot.at(p[0], p[1]);
    }
    endWithKey();
    EXPECT_FALSE(testsupport::fileExists(data + "scrsaver.log")) << "a normal run wrote a log";
}

TEST_F(ScreensaverRunWin32, WithoutInputItKeepsRunning) {
    startAndWaitForMovie();
    EXPECT_TRUE(stillRunning(2500));
    endWithKey();
}

TEST_F(ScreensaverRunWin32, FirstMouseMoveIsForgivenTheSecondEndsIt) {
    startAndWaitForMovie();
    testsupport::sendMouseMove(200, 150);
    EXPECT_TRUE(stillRunning(1000)) << "the first move ended it";
    testsupport::sendMouseMove(260, 190);
    expectEnded(10000);
}

struct EndingInput {
    const char* name;
    void (*send)();
};

void PrintTo(const EndingInput& input, std::ostream* out) {
    *out << input.name;
}

class ScreensaverEndsOnInputWin32 : public ScreensaverRunWin32,
                                    public ::testing::WithParamInterface<EndingInput> {};

TEST_P(ScreensaverEndsOnInputWin32, InputEndsIt) {
    startAndWaitForMovie();
    GetParam().send();
    expectEnded(10000);
}

const EndingInput endingInputs[] = {
    {"Key", [] { testsupport::sendKey('A'); }},
    {"Backquote", [] { testsupport::sendKey(VK_OEM_3); }},
    {"LeftClick", [] { testsupport::sendMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }},
    {"RightClick",
     [] { testsupport::sendMouseButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
    {"Wheel", [] { testsupport::sendWheel(-1); }},
};

INSTANTIATE_TEST_SUITE_P(Inputs, ScreensaverEndsOnInputWin32, ::testing::ValuesIn(endingInputs),
                         [](const ::testing::TestParamInfo<EndingInput>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ScreensaverRunWin32, MiddleButtonAloneDoesNotEndIt) {
    startAndWaitForMovie();
    testsupport::sendMouseButton(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(stillRunning(1500));
    endWithKey();
}

TEST_F(ScreensaverRunWin32, SettingsAndPreviewSwitchesExitAtOnceWithoutWindow) {
    chooseMovie("movies/quadrants.ogv", quadrantMovie());
    for (const char* arguments : {"/c", "/c:1234", "/p 1234"}) {
        SCOPED_TRACE(arguments);
        start(arguments);
        bool windowSeen = false;
        const DWORD begin = GetTickCount();
        while (WaitForSingleObject(process, 10) == WAIT_TIMEOUT && GetTickCount() - begin < 10000) {
            windowSeen = windowSeen || testsupport::hasWindow(processId, windowClass);
        }
        EXPECT_FALSE(windowSeen);
        expectEnded(0);
    }
}

TEST_F(ScreensaverRunWin32, MissingMovieChoiceGivesBlackScreenAndLogsTheMissingFile) {
    startAndWaitForWindow();
    ScreenShot shot;
    EXPECT_FALSE(
        testsupport::waitForScreen([](const ScreenShot& s) { return !allBlack(s); }, 1500, &shot));
    endWithKey();
    const std::vector<std::string> lines = linesOf(testsupport::readFile(data + "scrsaver.log"));
    ASSERT_EQ(2u, lines.size());
    // "HH:MM:SS.mmm LEVEL: text", the level padded to five characters.
    EXPECT_EQ(":", lines[0].substr(2, 1));
    EXPECT_EQ(" INFO : [Log started]", lines[0].substr(12));
    EXPECT_EQ(" ERROR: file not found " + data + "app.config", lines[1].substr(12));
}

TEST_F(ScreensaverRunWin32, MovieWithoutTheoraGivesBlackScreenAndItsLogLine) {
    chooseMovie("movies/sound.ogg", testsupport::multiplex({testsupport::otherStreamPages(7, 5)}));
    startAndWaitForWindow();
    ScreenShot shot;
    EXPECT_FALSE(
        testsupport::waitForScreen([](const ScreenShot& s) { return !allBlack(s); }, 1500, &shot));
    endWithKey();
    const std::vector<std::string> lines = linesOf(testsupport::readFile(data + "scrsaver.log"));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(" INFO : [Log started]", lines[0].substr(12));
    EXPECT_EQ(" ERROR: Theora stream not found in file: movies/sound.ogg", lines[1].substr(12));
}

// The test display offers one mode, the desktop's own; the window asked for
// then takes the whole desktop, so the screensaver first says that it forces
// full screen (the box is closed here as a user would), then switches.
TEST_F(ScreensaverRunWin32, WindowedSettingStartsWindowedThenSwitchesToFullScreen) {
    testsupport::writeFile(data + "app_scr.ini", "[SYSTEM]\r\nWindowed=1\r\n");
    chooseMovie("movies/quadrants.ogv", quadrantMovie());
    start();
    HWND window = testsupport::waitForWindow(processId, windowClass, 15000);
    ASSERT_NE(nullptr, window);
    EXPECT_NE(0L, GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) << "not started windowed";
    HWND box = testsupport::waitForWindow(processId, dialogClass, 15000);
    ASSERT_NE(nullptr, box) << "no warning box";
    char text[512] = "";
    GetDlgItemTextA(box, messageBoxTextId, text, sizeof(text));
    EXPECT_STREQ("Your screen resolution is not supported for windowed game mode.\nGame will "
                 "be automatically switched to full screen.",
                 text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    // The device's reset takes a while under Wine.
    const DWORD begin = GetTickCount();
    RECT rect = {};
    do {
        Sleep(100);
        GetWindowRect(window, &rect);
    } while (((GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) != 0 || rect.left != 0 ||
              rect.right != GetSystemMetrics(SM_CXSCREEN)) &&
             GetTickCount() - begin < 15000);
    EXPECT_EQ(0L, GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) << "still windowed";
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    endWithKey();
    EXPECT_EQ(0, GetPrivateProfileIntA("SYSTEM", "Windowed", 7, (data + "app_scr.ini").c_str()));
}

} // namespace

#include "screensaver/MovieChoice.h"
#include "ph/Pointer.h"
#include "screensaver/CommandLine.h"
#include "tests/support/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string movieFrom(const std::string& config) {
    return screensaver::findCurrentMovie(*testsupport::memoryStream(config));
}

TEST(MovieChoice, FindsTheCurrentScrValue) {
    struct Case {
        const char* config;
        const char* movie;
    };
    const Case cases[] = {
        {"current_scr = movies/a.ogv\n", "movies/a.ogv"},
        {"current_scr=movies/a.ogv\n", ""},   // separator must be " = "
        {"Current_scr = movies/a.ogv\n", ""}, // key is case-sensitive
        {"current_scr = a = b\n", "a"},       // value cut at the next separator
        {"current_scr = movies/a.ogv\r\n", "movies/a.ogv"},
        {"current_scr = first.ogv\ncurrent_scr = second.ogv\n", "first.ogv"},
        {"volume = 3\nnoise\ncurrent_scr = x.ogv", "x.ogv"},
        {"current_scr_old = y.ogv\n current_scr = z.ogv\n", ""},
        {"current_scr = \n", ""},
        {"current_scr =  spaced.ogv \n", " spaced.ogv "}, // taken verbatim
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(movieFrom(c.config), c.movie) << c.config;
    }
}

TEST(CommandLine, ConfigureAndPreviewSwitchesEndTheProgram) {
    struct Case {
        const char* commandLine;
        bool runs;
    };
    const Case cases[] = {
        {"/s", true},     {"/S", true},    {"", true},         {"/C", true},
        {"/P", true},     {"/c", false},   {"/c:1234", false}, {"/p 1234", false},
        {"-s /p", false}, {"x/cy", false}, {"/a /b /s", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screensaver::shouldRunScreensaver(c.commandLine), c.runs) << c.commandLine;
    }
}

} // namespace

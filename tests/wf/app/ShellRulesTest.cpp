// The shell's portable decisions: the mode check's arithmetic, whether a
// window fits the desktop, the mouse-move de-duplication and the keyboard
// hook's Win+Tab table.
#include "wf/app/KeyboardHookRules.h"
#include "wf/app/ModeCheck.h"
#include "wf/app/MouseMoveFilter.h"

#include <gtest/gtest.h>

namespace {

using wf::Scale;
using wf::ScreenSize;

TEST(ModeCheck, ObtainedModeScalesDrawingAndReplacesRequestedSize) {
    ScreenSize requested{800, 600};
    Scale scale{1.0f, 1.0f};
    EXPECT_TRUE(wf::applyObtainedMode(requested, {1024, 768}, scale));
    EXPECT_FLOAT_EQ(1.28f, scale.x);
    EXPECT_FLOAT_EQ(1.28f, scale.y);
    EXPECT_EQ(1024, requested.width);
    EXPECT_EQ(768, requested.height);
}

TEST(ModeCheck, ScaleMultipliesWhatIsAlreadyInForce) {
    ScreenSize requested{800, 600};
    Scale scale{2.0f, 0.5f};
    EXPECT_TRUE(wf::applyObtainedMode(requested, {1000, 900}, scale));
    EXPECT_FLOAT_EQ(2.5f, scale.x);
    EXPECT_FLOAT_EQ(0.75f, scale.y);
}

TEST(ModeCheck, SameModeChangesNothing) {
    ScreenSize requested{800, 600};
    Scale scale{1.0f, 1.0f};
    EXPECT_FALSE(wf::applyObtainedMode(requested, {800, 600}, scale));
    EXPECT_FLOAT_EQ(1.0f, scale.x);
    EXPECT_EQ(800, requested.width);
}

TEST(ModeCheck, ZeroRequestedSideLeavesItsScaleAlone) {
    ScreenSize requested{0, 600};
    Scale scale{1.0f, 1.0f};
    EXPECT_TRUE(wf::applyObtainedMode(requested, {640, 480}, scale));
    EXPECT_FLOAT_EQ(1.0f, scale.x);
    EXPECT_FLOAT_EQ(0.8f, scale.y);
    EXPECT_EQ(640, requested.width);
}

TEST(ModeCheck, LayoutSizeIsTheObtainedSizeOverTheScale) {
    ScreenSize requested{800, 600};
    Scale scale{1.0f, 1.0f};
    wf::applyObtainedMode(requested, {1024, 768}, scale);
    const ScreenSize layout = wf::layoutSizeOf(requested, scale);
    EXPECT_EQ(800, layout.width);
    EXPECT_EQ(600, layout.height);
    const ScreenSize unscaled = wf::layoutSizeOf({1023, 767}, {1.0f, 1.0f});
    EXPECT_EQ(1023, unscaled.width);
    EXPECT_EQ(767, unscaled.height);
}

TEST(WindowFit, RequestedSizeAgainstDesktop) {
    struct Case {
        const char* name;
        ScreenSize requested, desktop;
        bool tooLarge;
    };
    const Case cases[] = {
        {"fits a larger desktop", {800, 600}, {1920, 1080}, false},
        {"same size does not fit", {800, 600}, {800, 600}, true},
        {"wider than the desktop", {1024, 600}, {1000, 1000}, true},
        {"taller than the desktop", {800, 1000}, {1920, 1000}, true},
        {"unknown desktop never refuses", {800, 600}, {0, 0}, false},
        {"unknown width, height checked", {800, 600}, {0, 500}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.tooLarge, wf::windowTooLarge(c.requested, c.desktop));
    }
}

TEST(MouseMoveFilter, RepeatedPositionGivesOneMove) {
    wf::MouseMoveFilter filter;
    EXPECT_TRUE(filter.accept(10, 20));
    EXPECT_FALSE(filter.accept(10, 20));
    EXPECT_TRUE(filter.accept(11, 20));
    EXPECT_TRUE(filter.accept(10, 20)); // back to an earlier position is a move
}

TEST(MouseMoveFilter, FirstMoveToOriginIsDropped) {
    wf::MouseMoveFilter filter;
    EXPECT_FALSE(filter.accept(0, 0));
    EXPECT_TRUE(filter.accept(0, 1));
}

wf::KeyboardHookFacts winTabInFullScreen() {
    wf::KeyboardHookFacts facts;
    facts.engineActive = true;
    facts.actionCode = true;
    facts.keyPress = true;
    facts.virtualKey = wf::virtualKeyTab;
    facts.windowsKeyHeld = true;
    facts.osMajorVersion = 6;
    facts.windowed = false;
    return facts;
}

TEST(KeyboardHookRules, WinTabInFullScreenOnWindows6IsTaken) {
    EXPECT_TRUE(wf::hookTakesWinTab(winTabInFullScreen()));
    wf::KeyboardHookFacts later = winTabInFullScreen();
    later.osMajorVersion = 10;
    EXPECT_TRUE(wf::hookTakesWinTab(later));
}

TEST(KeyboardHookRules, EverythingElsePassesThrough) {
    struct Case {
        const char* name;
        void (*change)(wf::KeyboardHookFacts&);
    };
    const Case cases[] = {
        {"Windows 5.x", [](wf::KeyboardHookFacts& f) { f.osMajorVersion = 5; }},
        {"windowed", [](wf::KeyboardHookFacts& f) { f.windowed = true; }},
        {"engine inactive", [](wf::KeyboardHookFacts& f) { f.engineActive = false; }},
        {"not an action code", [](wf::KeyboardHookFacts& f) { f.actionCode = false; }},
        {"key release", [](wf::KeyboardHookFacts& f) { f.keyPress = false; }},
        {"Tab without a Windows key", [](wf::KeyboardHookFacts& f) { f.windowsKeyHeld = false; }},
        {"Win with another key", [](wf::KeyboardHookFacts& f) { f.virtualKey = 'D'; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wf::KeyboardHookFacts facts = winTabInFullScreen();
        c.change(facts);
        EXPECT_FALSE(wf::hookTakesWinTab(facts));
    }
}

} // namespace

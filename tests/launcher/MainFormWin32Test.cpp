// Under Wine: the launcher's main window, created in the test process with a
// creation handler that starts nothing.

#include "launcher/MainFormWin32.h"
#include "launcher/MainForm.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

HWND windowSeenDuringCreation = nullptr;
int creationCalls = 0;

void recordCreation(HWND form) {
    windowSeenDuringCreation = form;
    ++creationCalls;
}

class BrindlemoorMainFormWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        windowSeenDuringCreation = nullptr;
        creationCalls = 0;
        form = launcher::createMainForm(GetModuleHandleA(nullptr), recordCreation);
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override {
        if (form) {
            DestroyWindow(form);
        }
    }

    HWND form = nullptr;
};

TEST_F(BrindlemoorMainFormWin32, CreationHandlerRunsOnceWithTheWindow) {
    EXPECT_EQ(creationCalls, 1);
    EXPECT_EQ(windowSeenDuringCreation, form);
    EXPECT_FALSE(IsWindowVisible(form)) << "shown only once the message loop is about to run";
}

TEST_F(BrindlemoorMainFormWin32, WindowHasTheDesignedPlaceCaptionAndClientSize) {
    char caption[64] = {};
    GetWindowTextA(form, caption, sizeof caption);
    EXPECT_STREQ(caption, "Brindle Moor");

    RECT window = {};
    GetWindowRect(form, &window);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    RECT client = {};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, launcher::mainForm.clientWidth);
    EXPECT_EQ(client.bottom, launcher::mainForm.clientHeight);
    EXPECT_EQ(launcher::mainForm.clientWidth, 635);
    EXPECT_EQ(launcher::mainForm.clientHeight, 300);
}

TEST_F(BrindlemoorMainFormWin32, BackgroundIsButtonFaceAndWindowHasATaskbarButton) {
    EXPECT_EQ(GetClassLongPtrA(form, GCLP_HBRBACKGROUND), LONG_PTR(COLOR_BTNFACE + 1));
    LONG_PTR exStyle = GetWindowLongPtrA(form, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr);
}

TEST_F(BrindlemoorMainFormWin32, FontIsTahomaEightPointAt96Dpi) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(form, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA description = {};
    ASSERT_TRUE(GetObjectA(font, sizeof description, &description));
    EXPECT_STREQ(description.lfFaceName, "Tahoma");
    EXPECT_EQ(description.lfHeight, -11); // 8 pt at 96 pixels per inch
    EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(description.lfWeight, FW_NORMAL);
    EXPECT_FALSE(description.lfItalic || description.lfUnderline || description.lfStrikeOut);
}

} // namespace

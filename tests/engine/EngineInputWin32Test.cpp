// The engine window procedure and input under Wine: messages sent to the real
// engine window become queued events, key-table bits, focus changes, the
// Alt+Enter toggle and vetoable close requests.
#include "tests/support/EngineFixtureWin32.h"

#include <string>

namespace enginetest {
namespace {

class EngineWindowTest : public EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        ASSERT_TRUE(initiate());
        width = engine->System_GetNumber(ScreenWidth);
        height = engine->System_GetNumber(ScreenHeight);
        BYTE keys[256] = {};
        SetKeyboardState(keys);
    }

    LRESULT send(UINT message, WPARAM wparam, LPARAM lparam) {
        return SendMessageA(engine->window, message, wparam, lparam);
    }

    std::vector<EngineEvent> events() {
        std::vector<EngineEvent> popped;
        EngineEvent event;
        while (engine->Input_PopEvent(&event)) {
            popped.push_back(event);
        }
        return popped;
    }

    int width = 0, height = 0;
};

using EngineWindowProcedureWin32 = EngineWindowTest;
using EngineInputWin32 = EngineWindowTest;

LPARAM at(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

TEST_F(EngineWindowProcedureWin32, MessagesBecomeEvents) {
    engine->mouseX = 33.0f;
    engine->mouseY = 44.0f;
    POINT client = {0, 0};
    ClientToScreen(engine->window, &client);
    struct Case {
        const char* what;
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        int type, key, repeat;
        float x, y;
        int wheel;
    };
    const Case cases[] = {
        {"key down at the mouse position", WM_KEYDOWN, 'A', 0x1E0001, EngineEventKeyDown, 'A', 0,
         33, 44, 0},
        {"auto-repeated key", WM_KEYDOWN, 'A', 0x401E0001, EngineEventKeyDown, 'A',
         EngineFlagRepeat, 33, 44, 0},
        {"key up", WM_KEYUP, 'B', 0x300001, EngineEventKeyUp, 'B', 0, 33, 44, 0},
        {"system key down", WM_SYSKEYDOWN, 'X', 0x2D0001, EngineEventKeyDown, 'X', 0, 33, 44, 0},
        {"system key up", WM_SYSKEYUP, 'X', 0x2D0001, EngineEventKeyUp, 'X', 0, 33, 44, 0},
        {"mouse move", WM_MOUSEMOVE, 0, at(10, 20), EngineEventMouseMove, 0, 0, 10, 20, 0},
        {"mouse move clamped", WM_MOUSEMOVE, 0, at(width + 100, -5), EngineEventMouseMove, 0, 0,
         float(width - 1), 0, 0},
        {"left button down", WM_LBUTTONDOWN, 0, at(5, 6), EngineEventButtonDown, VK_LBUTTON, 0, 5,
         6, 0},
        {"right button up at the stored position", WM_RBUTTONUP, 0, at(50, 60), EngineEventButtonUp,
         VK_RBUTTON, 0, float(width - 1), 0, 0},
        {"middle double click", WM_MBUTTONDBLCLK, 0, at(7, 8), EngineEventButtonDown, VK_MBUTTON,
         EngineFlagRepeat, 7, 8, 0},
        {"wheel in screen coordinates", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)),
         at(client.x + 9, client.y + 11), EngineEventWheel, 0, 0, 9, 11, -2},
    };
    for (const Case& c : cases) {
        send(c.message, c.wparam, c.lparam);
        const std::vector<EngineEvent> popped = events();
        ASSERT_EQ(1u, popped.size()) << c.what;
        const EngineEvent& e = popped[0];
        EXPECT_EQ(c.type, e.type) << c.what;
        EXPECT_EQ(c.key, e.key) << c.what;
        EXPECT_EQ(c.repeat, e.flags & EngineFlagRepeat) << c.what;
        EXPECT_FLOAT_EQ(c.x, e.x) << c.what;
        EXPECT_FLOAT_EQ(c.y, e.y) << c.what;
        EXPECT_EQ(c.wheel, e.wheel) << c.what;
    }
}

TEST_F(EngineWindowProcedureWin32, WindowsKeysAreIgnored) {
    EXPECT_EQ(0, send(WM_KEYDOWN, VK_LWIN, 0));
    EXPECT_EQ(0, send(WM_KEYDOWN, VK_RWIN, 0));
    EXPECT_TRUE(events().empty());
    EXPECT_FALSE(engine->Input_WasPressed(VK_LWIN));
}

int closeRequests = 0;
bool vetoClose() {
    ++closeRequests;
    return false;
}

TEST_F(EngineWindowProcedureWin32, CloseRequestsCanBeVetoed) {
    engine->System_SetCallback(CloseRequestCallback, vetoClose);
    closeRequests = 0;
    EXPECT_EQ(0, send(WM_SYSKEYDOWN, VK_F4, 0x20000000));
    EXPECT_EQ(0, send(WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(2, closeRequests);
    EXPECT_TRUE(IsWindow(engine->window));
    EXPECT_TRUE(events().empty());
}

int modeSwitches = 0;
int modeSwitchedCalls = 0;
bool allowSwitch = true;
bool onModeSwitch() {
    ++modeSwitches;
    return allowSwitch;
}
bool onModeSwitched() {
    ++modeSwitchedCalls;
    return true;
}

TEST_F(EngineWindowProcedureWin32, AltEnterRunsTheToggleUnlessRefused) {
    engine->System_SetCallback(ModeSwitchCallback, onModeSwitch);
    engine->System_SetCallback(ModeSwitchedCallback, onModeSwitched);
    modeSwitches = modeSwitchedCalls = 0;
    allowSwitch = false;
    engine->restoreFullScreenPending = true;
    EXPECT_EQ(0, send(WM_SYSKEYDOWN, VK_RETURN, 0x20000000));
    EXPECT_EQ(1, modeSwitches);
    EXPECT_EQ(0, modeSwitchedCalls);
    EXPECT_FALSE(engine->restoreFullScreenPending);
    EXPECT_TRUE(engine->System_GetFlag(Windowed));

    // Without a full-screen format the switch itself does nothing, but the
    // toggle still reports success and tells the application.
    allowSwitch = true;
    engine->fullScreenPresentation.BackBufferFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(1, send(WM_SYSKEYDOWN, VK_RETURN, 0x20000000));
    EXPECT_EQ(2, modeSwitches);
    EXPECT_EQ(1, modeSwitchedCalls);
    EXPECT_TRUE(engine->System_GetFlag(Windowed));
    EXPECT_TRUE(events().empty());
}

int focusLost = 0, focusGained = 0;
bool onFocusLost() {
    ++focusLost;
    return true;
}
bool onFocusGained() {
    ++focusGained;
    return true;
}

TEST_F(EngineWindowProcedureWin32, ActivationRunsFocusChangesAndTheDelayedRestore) {
    engine->System_SetCallback(FocusLostCallback, onFocusLost);
    engine->System_SetCallback(FocusGainedCallback, onFocusGained);
    focusLost = focusGained = 0;
    engine->active = true;
    engine->elapsedTime = 5.0f;

    // Not pending: activation clears any deadline.
    engine->restoreDeadline = 3.0f;
    send(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(engine->active);
    EXPECT_EQ(1, focusLost);
    EXPECT_FLOAT_EQ(-1.0f, engine->restoreDeadline);
    send(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(engine->active);
    EXPECT_EQ(1, focusGained);
    EXPECT_FLOAT_EQ(-1.0f, engine->restoreDeadline);

    // Pending in windowed mode: full screen returns one second after activation,
    // and losing the focus before that minimises the window.
    engine->restoreFullScreenPending = true;
    send(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FLOAT_EQ(6.0f, engine->restoreDeadline);
    EXPECT_EQ(1, focusGained); // already active: no second focus change
    send(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FLOAT_EQ(-1.0f, engine->restoreDeadline);
    EXPECT_TRUE(IsIconic(engine->window));
    // A minimised activation counts as inactive.
    send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
    EXPECT_FALSE(engine->active);
}

int renders = 0;
bool countRender() {
    ++renders;
    return false;
}

TEST_F(EngineWindowProcedureWin32, PaintRendersAndTheCursorHidesOverTheClientArea) {
    engine->System_SetCallback(RenderCallback, countRender);
    renders = 0;
    InvalidateRect(engine->window, nullptr, FALSE);
    send(WM_PAINT, 0, 0);
    EXPECT_EQ(1, renders);

    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    engine->Input_SetCursor(reinterpret_cast<EngineCursor>(cross));
    engine->active = true;
    EXPECT_EQ(
        0, send(WM_SETCURSOR, reinterpret_cast<WPARAM>(engine->window), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(nullptr, GetCursor());
    send(WM_SETCURSOR, reinterpret_cast<WPARAM>(engine->window), MAKELPARAM(HTCAPTION, 0));
    EXPECT_EQ(cross, GetCursor());
    engine->System_SetFlag(HideCursor, false);
    send(WM_SETCURSOR, reinterpret_cast<WPARAM>(engine->window), MAKELPARAM(HTCLIENT, 0));
    EXPECT_EQ(cross, GetCursor());
}

TEST_F(EngineWindowProcedureWin32, TitleFollowsTheStateAndDocumentsNeedAHandler) {
    engine->System_SetText(WindowTitle, "Renamed");
    char caption[64] = "";
    GetWindowTextA(engine->window, caption, sizeof(caption));
    EXPECT_STREQ("Renamed", caption);
    EXPECT_FALSE(engine->System_OpenDocument(engine->Data_ResolvePath("missing.nothing")));
}

TEST_F(EngineInputWin32, KeyTableLastKeyAndCharacter) {
    send(WM_KEYDOWN, 'A', 0x1E0001);
    send(WM_KEYDOWN, 'A', 0x401E0001);
    send(WM_KEYUP, 'C', 0x2E0001);
    EXPECT_TRUE(engine->Input_WasPressed('A'));
    EXPECT_FALSE(engine->Input_WasReleased('A'));
    EXPECT_TRUE(engine->Input_WasReleased('C'));
    EXPECT_FALSE(engine->Input_WasPressed('C'));
    EXPECT_EQ('A', engine->Input_LastKey());
    EXPECT_EQ('a', engine->Input_LastChar());
    const std::vector<EngineEvent> popped = events();
    ASSERT_EQ(3u, popped.size());
    EXPECT_EQ('a', popped[0].chr);
    EXPECT_EQ('c', popped[2].chr);

    // An auto-repeat alone does not count as a press.
    engine->clearInput();
    send(WM_KEYDOWN, 'A', 0x401E0001);
    EXPECT_FALSE(engine->Input_WasPressed('A'));
    EXPECT_EQ('A', engine->Input_LastKey());
}

TEST_F(EngineInputWin32, ModifierAndLockFlagsComeFromTheKeyboardState) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    keys[VK_MENU] = 0x80;
    keys[VK_CAPITAL] = 0x01;
    keys[VK_NUMLOCK] = 0x01;
    SetKeyboardState(keys);
    send(WM_KEYDOWN, 'Q', 0x100001);
    const std::vector<EngineEvent> popped = events();
    ASSERT_EQ(1u, popped.size());
    EXPECT_EQ(EngineFlagShift | EngineFlagAlt | EngineFlagCapsLock | EngineFlagNumLock,
              popped[0].flags);
    // Held keys are read live from the system, not from the frame's key table.
    EXPECT_TRUE(engine->Input_IsKeyHeld(VK_SHIFT));
    EXPECT_FALSE(engine->Input_IsKeyHeld('Q'));
    BYTE none[256] = {};
    SetKeyboardState(none);
}

TEST_F(EngineInputWin32, ButtonsCaptureAndDoubleClicksPress) {
    send(WM_LBUTTONDBLCLK, 0, at(3, 4));
    EXPECT_TRUE(engine->Input_WasPressed(VK_LBUTTON));
    EXPECT_TRUE(engine->captured);
    EXPECT_EQ(engine->window, GetCapture());
    EXPECT_EQ(VK_LBUTTON, engine->Input_LastKey());
    engine->System_SetFlag(HideCursor, false);
    send(WM_LBUTTONUP, 0, at(3, 4));
    EXPECT_TRUE(engine->Input_WasReleased(VK_LBUTTON));
    EXPECT_FALSE(engine->captured);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(EngineInputWin32, WheelNotchesAddUpUntilTheFrameEnds) {
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(2, engine->Input_GetWheel());
    EXPECT_EQ(2u, events().size());
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    engine->clearInput();
    EXPECT_EQ(0, engine->Input_GetWheel());
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(0, engine->Input_LastKey());
}

TEST_F(EngineInputWin32, KeyNamesCursorAndMousePosition) {
    EXPECT_STREQ("Enter", engine->Input_KeyName(13));
    EXPECT_STREQ("?", engine->Input_KeyName(200));
    send(WM_MOUSEMOVE, 0, at(12, 34));
    float x = 0, y = 0;
    engine->Input_GetMousePosition(&x, &y);
    EXPECT_FLOAT_EQ(12.0f, x);
    EXPECT_FLOAT_EQ(34.0f, y);
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    engine->Input_SetCursor(reinterpret_cast<EngineCursor>(cross));
    EXPECT_EQ(cross, engine->cursor);

    engine->Input_SetMousePosition(20.7f, 30.2f);
    POINT expected = {20, 30};
    ClientToScreen(engine->window, &expected);
    POINT cursorAt;
    GetCursorPos(&cursorAt);
    EXPECT_EQ(expected.x, cursorAt.x);
    EXPECT_EQ(expected.y, cursorAt.y);
    engine->updateMouseInside();
    EXPECT_EQ(WindowFromPoint(cursorAt) == engine->window, engine->Input_IsMouseInside());
}

} // namespace
} // namespace enginetest

namespace enginetest {
namespace {

using EngineModeSwitchWin32 = EngineWin32Test;

TEST_F(EngineModeSwitchWin32, ToggleSwitchesFullScreenAndBack) {
    ASSERT_TRUE(initiate());
    const LONG_PTR windowedStyle = GetWindowLongPtrA(engine->window, GWL_STYLE);
    EXPECT_TRUE(engine->toggleFullScreen());
    EXPECT_FALSE(engine->System_GetFlag(Windowed));
    EXPECT_EQ(&engine->fullScreenPresentation, engine->presentation);
    EXPECT_EQ(0, GetWindowLongPtrA(engine->window, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongPtrA(engine->window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(engine->toggleFullScreen());
    EXPECT_TRUE(engine->System_GetFlag(Windowed));
    EXPECT_EQ(windowedStyle & WS_CAPTION,
              GetWindowLongPtrA(engine->window, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(GetWindowLongPtrA(engine->window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(engine->Gfx_BeginScene(nullptr)) << "the device still draws";
    engine->Gfx_EndScene();
}

} // namespace
} // namespace enginetest

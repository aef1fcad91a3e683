// Under Wine: Casemount.dll loaded by a host with windows of its own, which
// intercepts them and checks what reaches the host's procedure.

#include "tests/plugin/CasemountLoaderWin32.h"
#include "tests/plugin/HostWindowWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

using namespace casemounttest;

namespace {

int fullscreenCalls = 0;
void WINAPI countFullscreenCall() {
    ++fullscreenCalls;
}

WNDPROC procedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

HCURSOR systemCursor(const char* id) {
    return LoadCursorA(nullptr, id);
}

LRESULT sendSetCursor(HWND window) {
    return SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// Alt held, repeat count 1: as Windows sends it for Alt+Enter.
constexpr LPARAM altKeyData = 0x20000001;

class CasemountWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        api = casemount();
        ASSERT_NE(api, nullptr) << "Casemount.dll or one of its exports is missing";
        // The library's values live as long as the process: start every test from
        // nothing intercepted and nothing chosen.
        api->interceptRelease();
        api->setCursor(nullptr);
        api->setFullscreenCallback(nullptr);
        fullscreenCalls = 0;
    }
    void TearDown() override {
        if (api) {
            api->interceptRelease();
        }
        for (HWND window : windows) {
            DestroyWindow(window);
        }
    }

    HWND hostWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = createHostWindow(style);
        windows.push_back(window);
        return window;
    }
    // A host window, made active and intercepted.
    HWND interceptedWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = hostWindow(style);
        EXPECT_EQ(GetActiveWindow(), window);
        EXPECT_TRUE(api->interceptInit());
        hostLog().clear();
        return window;
    }

    const Casemount* api = nullptr;
    std::vector<HWND> windows;
};

TEST(CasemountExportsWin32, FindsAllSevenByTheirDecoratedNames) {
    ASSERT_NE(casemountModule(), nullptr) << "Casemount.dll beside the test";
    for (const char* name : exportNames) {
        EXPECT_NE(casemountExport(name), nullptr) << name;
    }
}

TEST_F(CasemountWin32, InterceptionPutsItsProcedureOnTheActiveWindow) {
    HWND window = hostWindow();
    ASSERT_EQ(GetActiveWindow(), window);
    EXPECT_TRUE(api->interceptInit());
    EXPECT_NE(procedureOf(window), &hostWindowProc);

    hostLog().clear();
    EXPECT_EQ(SendMessageA(window, hostMessage, 3, 4), hostAnswer);
    ASSERT_EQ(hostReceived({hostMessage}).size(), 1u);
}

TEST_F(CasemountWin32, InterceptionWithoutAnActiveWindowFails) {
    // A new thread has no windows, so no active window either.
    bool result = true;
    std::thread([&] { result = api->interceptInit(); }).join();
    EXPECT_FALSE(result);
}

TEST_F(CasemountWin32, SetCursorShowsTheChosenCursorOrTheArrow) {
    HCURSOR arrow = systemCursor(IDC_ARROW);
    HCURSOR cross = systemCursor(IDC_CROSS);
    struct Case {
        const char* name;
        std::vector<HCURSOR> chosen; // handed to set_cursor in this order
        HCURSOR shown;
    };
    const Case cases[] = {
        {"nothing chosen", {}, arrow},
        {"a cursor chosen", {cross}, cross},
        {"chosen, then null", {cross, nullptr}, arrow},
    };
    HWND window = interceptedWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        api->setCursor(nullptr);
        for (HCURSOR cursor : c.chosen) {
            api->setCursor(cursor);
        }
        EXPECT_EQ(api->getCursor(), c.chosen.empty() ? nullptr : c.chosen.back());
        SetCursor(systemCursor(IDC_WAIT));
        hostLog().clear();
        EXPECT_EQ(sendSetCursor(window), 0);
        EXPECT_EQ(GetCursor(), c.shown);
        EXPECT_TRUE(hostReceived({WM_SETCURSOR}).empty());
    }
}

TEST_F(CasemountWin32, DefaultCursorIsTheArrow) {
    EXPECT_EQ(api->getDefaultCursor(), systemCursor(IDC_ARROW));
}

TEST_F(CasemountWin32, AltEnterCallsTheCallbackAndNeverReachesTheHost) {
    struct Case {
        const char* name;
        FullscreenCallback callback;
        int calls;
    };
    const Case cases[] = {{"with a callback", countFullscreenCall, 1}, {"without one", nullptr, 0}};
    HWND window = interceptedWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        api->setFullscreenCallback(c.callback);
        fullscreenCalls = 0;
        hostLog().clear();
        LRESULT result = SendMessageA(window, WM_SYSKEYDOWN, VK_RETURN, altKeyData);
        EXPECT_NE(result, hostAnswer);
        EXPECT_EQ(fullscreenCalls, c.calls);
        EXPECT_TRUE(hostReceived({WM_SYSKEYDOWN}).empty());
    }
}

TEST_F(CasemountWin32, OtherKeysReachTheHostUnchanged) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM key;
        LPARAM data;
    };
    const Case cases[] = {
        {"Alt+F10", WM_SYSKEYDOWN, VK_F10, altKeyData},
        {"Alt+A", WM_SYSKEYDOWN, 'A', altKeyData},
        {"Enter without Alt", WM_KEYDOWN, VK_RETURN, 1},
        {"Alt+Enter released", WM_SYSKEYUP, VK_RETURN, LPARAM(0xE0000001)},
    };
    api->setFullscreenCallback(countFullscreenCall);
    HWND window = interceptedWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hostLog().clear();
        EXPECT_EQ(SendMessageA(window, c.message, c.key, c.data), hostAnswer);
        auto received = hostReceived({c.message});
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].wParam, c.key);
        EXPECT_EQ(received[0].lParam, c.data);
    }
    EXPECT_EQ(fullscreenCalls, 0);
}

TEST_F(CasemountWin32, DeactivationKillsFocusOnlyForCaptionlessWindows) {
    struct Case {
        const char* name;
        DWORD style;
        WPARAM activation;
        bool killsFocus;
    };
    const Case cases[] = {
        {"captionless, deactivated", WS_POPUP, WA_INACTIVE, true},
        {"captionless, deactivated while minimised", WS_POPUP, MAKEWPARAM(WA_INACTIVE, 1), true},
        {"captionless, activated", WS_POPUP, WA_ACTIVE, false},
        {"captioned, deactivated", WS_OVERLAPPEDWINDOW, WA_INACTIVE, false},
        {"border only, deactivated", WS_POPUP | WS_BORDER, WA_INACTIVE, false},
        {"dialog frame only, deactivated", WS_POPUP | WS_DLGFRAME, WA_INACTIVE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = interceptedWindow(c.style);
        SendMessageA(window, WM_ACTIVATE, c.activation, 0);
        auto received = hostReceived({WM_KILLFOCUS, WM_ACTIVATE});
        ASSERT_EQ(received.size(), c.killsFocus ? 2u : 1u);
        if (c.killsFocus) {
            EXPECT_EQ(received[0].message, UINT(WM_KILLFOCUS));
            EXPECT_EQ(received[0].wParam, 0u);
            EXPECT_EQ(received[0].lParam, 0);
        }
        EXPECT_EQ(received.back().message, UINT(WM_ACTIVATE));
        EXPECT_EQ(received.back().wParam, c.activation);
        api->interceptRelease();
    }
}

TEST_F(CasemountWin32, ReleaseRestoresTheHostsProcedure) {
    HWND window = interceptedWindow();
    api->interceptRelease();
    EXPECT_EQ(procedureOf(window), &hostWindowProc);
    sendSetCursor(window);
    EXPECT_EQ(hostReceived({WM_SETCURSOR}).size(), 1u);
}

TEST_F(CasemountWin32, CursorAndCallbackSurviveReleaseAndReinterception) {
    HCURSOR cross = systemCursor(IDC_CROSS);
    api->setCursor(cross);
    api->setFullscreenCallback(countFullscreenCall);
    HWND window = interceptedWindow();
    api->interceptRelease();
    ASSERT_TRUE(api->interceptInit());

    EXPECT_EQ(api->getCursor(), cross);
    SetCursor(systemCursor(IDC_WAIT));
    sendSetCursor(window);
    EXPECT_EQ(GetCursor(), cross);
    SendMessageA(window, WM_SYSKEYDOWN, VK_RETURN, altKeyData);
    EXPECT_EQ(fullscreenCalls, 1);
}

TEST_F(CasemountWin32, ReleaseWithoutInterceptionChangesNoWindow) {
    HWND window = hostWindow();
    api->interceptRelease();
    EXPECT_EQ(procedureOf(window), &hostWindowProc);

    // After a release the old window is forgotten: a second release must not put
    // the old procedure back over one the game installed since.
    ASSERT_TRUE(api->interceptInit());
    api->interceptRelease();
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    api->interceptRelease();
    EXPECT_EQ(procedureOf(window), &DefWindowProcA);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hostWindowProc));
}

TEST_F(CasemountWin32, SecondInterceptionOfTheSameWindowKeepsTheHostsProcedure) {
    HWND window = interceptedWindow();
    EXPECT_TRUE(api->interceptInit());

    // Had the second call remembered our own procedure, this would recurse until
    // the stack overflows instead of reaching the host.
    EXPECT_EQ(SendMessageA(window, hostMessage, 5, 6), hostAnswer);
    EXPECT_EQ(hostReceived({hostMessage}).size(), 1u);

    api->interceptRelease();
    EXPECT_EQ(procedureOf(window), &hostWindowProc);
}

TEST_F(CasemountWin32, InterceptingAnotherWindowReleasesTheFirst) {
    HWND first = interceptedWindow();
    HWND second = hostWindow();
    ASSERT_EQ(GetActiveWindow(), second);
    EXPECT_TRUE(api->interceptInit());
    EXPECT_EQ(procedureOf(first), &hostWindowProc);
    EXPECT_NE(procedureOf(second), &hostWindowProc);

    api->interceptRelease();
    EXPECT_EQ(procedureOf(second), &hostWindowProc);
    EXPECT_EQ(procedureOf(first), &hostWindowProc);
}

} // namespace

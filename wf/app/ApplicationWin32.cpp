#include "wf/app/ApplicationWin32.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "engine/EngineDeviceDX8.h"
#include "engine/EngineImpl.h"
#include "engine/SystemVersionWin32.h"
#include "ph/FormatString.h"
#include "ph/Log.h"
#include "pr/DX8Renderer.h"
#include "wf/app/EngineReference.h"
#include "wf/app/KeyboardHookRules.h"
#include "wf/app/MouseMoveFilter.h"
#include "wf/app/ShellPathsWin32.h"

namespace wf {

namespace {

const char windowClassName[] = "ENGINE__WNDCLASS";
const char desktopKey[] = "Control Panel\\Desktop";
// WM_GETDLGCODE: the arrow keys and every other key go to the window.
const LRESULT wantsAllKeys = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
const LRESULT swallowEvent = 1;

ApplicationWin32* currentShell = nullptr;
// Moves that repeat the last position are dropped before they become events.
MouseMoveFilter pointerMoves;

HINSTANCE instanceOf(void* module) {
    return static_cast<HINSTANCE>(module);
}

int signedLow(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}
int signedHigh(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

LRESULT CALLBACK shellWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    EngineImpl* engine = EngineImpl::instance();
    if (engine == nullptr) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    switch (message) {
    case WM_GETDLGCODE:
        return wantsAllKeys;
    case WM_MOUSEMOVE:
        if (!pointerMoves.accept(signedLow(lparam), signedHigh(lparam))) {
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wparam == VK_F4) {
            return DefWindowProcA(window, message, wparam, lparam);
        }
        if (wparam == VK_TAB) {
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == SC_CLOSE) {
            if (currentShell != nullptr && !currentShell->canClose()) {
                return 0;
            }
            engine->active = false;
            return DefWindowProcA(window, message, wparam, lparam);
        }
        break;
    default:
        break;
    }
    return engine->handleMessage(window, message, wparam, lparam);
}

bool windowsKeyHeld() {
    return (GetAsyncKeyState(VK_LWIN) & 0x8000) != 0 || (GetAsyncKeyState(VK_RWIN) & 0x8000) != 0;
}

// Sends Win+Tab again for the system's task switcher once the display is
// windowed. When the Windows key was let go meanwhile, goes back to full
// screen instead and answers false.
bool resendWinTab(EngineImpl& engine) {
    const bool left = GetAsyncKeyState(VK_LWIN) != 0;
    const bool right = GetAsyncKeyState(VK_RWIN) != 0;
    if (!left && !right) {
        engine.toggleFullScreen();
        return false;
    }
    INPUT keys[2];
    ZeroMemory(keys, sizeof(keys));
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = left ? VK_LWIN : VK_RWIN;
    keys[1].type = INPUT_KEYBOARD;
    keys[1].ki.wVk = VK_TAB;
    SendInput(2, keys, sizeof(INPUT));
    return true;
}

LRESULT CALLBACK keyboardHookProcedure(int code, WPARAM wparam, LPARAM lparam) {
    EngineImpl* engine = EngineImpl::instance();
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    if (engine == nullptr || code != HC_ACTION || key == nullptr) {
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    KeyboardHookFacts facts;
    facts.engineActive = engine->active;
    facts.actionCode = true;
    facts.keyPress = wparam == WM_KEYDOWN;
    facts.virtualKey = static_cast<int>(key->vkCode);
    facts.windowsKeyHeld = facts.keyPress && facts.virtualKey == VK_TAB && windowsKeyHeld();
    facts.osMajorVersion = systemVersion().dwMajorVersion;
    facts.windowed = engine->windowed;
    if (!hookTakesWinTab(facts)) {
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    if (engine->toggleFullScreen() && resendWinTab(*engine)) {
        engine->restoreFullScreenPending = true;
    }
    return swallowEvent;
}

void logStartUp(const std::string& name, const std::string& version) {
    PH_LOG(2) << "Application: " << name << " " << version;
    PH_LOG(2) << "System starting";
    SYSTEMTIME now;
    GetLocalTime(&now);
    PH_LOG(2) << ph::formatString("Date: %02d.%02d.%d, %02d:%02d:%02d", now.wDay, now.wMonth,
                                  now.wYear, now.wHour, now.wMinute, now.wSecond);
    const OSVERSIONINFOA os = systemVersion();
    PH_LOG(2) << ph::formatString("OS: Windows %ld.%ld.%ld", static_cast<long>(os.dwMajorVersion),
                                  static_cast<long>(os.dwMinorVersion),
                                  static_cast<long>(os.dwBuildNumber));
    MEMORYSTATUSEX memory;
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);
    PH_LOG(2) << ph::formatString("Memory: %ldK total, %ldK free",
                                  static_cast<long>(memory.ullTotalPhys / 1024),
                                  static_cast<long>(memory.ullAvailPhys / 1024));
}

bool registerWindowClass(EngineImpl& engine, HINSTANCE module) {
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &shellWindowProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = engine.iconResource != nullptr ? LoadIconA(module, engine.iconResource)
                                                       : LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND createEngineWindow(EngineImpl& engine, HINSTANCE module, const std::string& title) {
    engine.computeWindowGeometry();
    if (engine.windowed) {
        const RECT& r = engine.windowedRect;
        return CreateWindowExA(0, windowClassName, title.c_str(), engine.windowedStyle, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, engine.parentWindow,
                               nullptr, module, nullptr);
    }
    return CreateWindowExA(WS_EX_TOPMOST, windowClassName, title.c_str(), engine.fullScreenStyle, 0,
                           0, 0, 0, nullptr, nullptr, module, nullptr);
}

void resetFrameTiming(EngineImpl& engine) {
    engine.elapsedTime = 0.0f;
    engine.lastFrameTick = engine.lastRateTick = engine.frameClock().now();
    engine.frameCounter = 0;
    engine.lastRawStep = 0;
    engine.framesPerSecond = 0;
    engine.startNesting = 0;
}

} // namespace

ApplicationWin32::ApplicationWin32() {
    moduleInstance = GetModuleHandleA(nullptr);
    keyboardHook =
        SetWindowsHookExA(WH_KEYBOARD_LL, &keyboardHookProcedure, instanceOf(moduleInstance), 0);
    currentShell = this;
}

ApplicationWin32::~ApplicationWin32() {
    if (keyboardHook != nullptr) {
        UnhookWindowsHookEx(static_cast<HHOOK>(keyboardHook));
    }
    if (currentShell == this) {
        currentShell = nullptr;
    }
}

ApplicationWin32* ApplicationWin32::current() {
    return currentShell;
}

bool ApplicationWin32::initialize() {
    EngineReference reference;
    EngineImpl& engine = *EngineImpl::instance();
    logStartUp(name, version);

    const HINSTANCE module = instanceOf(moduleInstance);
    if (!registerWindowClass(engine, module)) {
        PH_LOG(2) << "Can't register window class";
        return false;
    }
    HWND created = createEngineWindow(engine, module, name + " " + version);
    if (created == nullptr) {
        PH_LOG(2) << "Can't create window";
        UnregisterClassA(windowClassName, module);
        return false;
    }
    engine.window = created;
    window = reinterpret_cast<EngineWindow>(created);

    engine.paintBlack();
    ShowWindow(created, SW_SHOW);
    timeBeginPeriod(1);
    engine.Rand_SetSeed(0);
    engine.setUpPowerStatus();
    engine.resetInput();
    if (!engine.initGraphics()) {
        engine.System_Shutdown();
        window = nullptr;
        return false;
    }

    acceptObtainedMode({engine.screenWidth, engine.screenHeight});

    engine.paintBlack();
    resetFrameTiming(engine);
    return true;
}

EngineWindow ApplicationWin32::windowHandle() {
    return window;
}

intptr_t ApplicationWin32::openDocument(const std::string& path) {
    return reinterpret_cast<intptr_t>(
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
}

long ApplicationWin32::setAsScreenSaver(bool enable) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_ALL_ACCESS, &key);
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    if (enable) {
        char program[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, program, sizeof(program));
        std::string path = program;
        path = path.substr(0, path.rfind('.')) + ".scr";
        char shortPath[MAX_PATH] = "";
        // A path without a short form (no such file, or short names turned
        // off) is stored as it is rather than as an empty value.
        if (GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath)) == 0) {
            lstrcpynA(shortPath, path.c_str(), sizeof(shortPath));
        }
        RegSetValueExA(key, "SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(shortPath),
                       static_cast<DWORD>(lstrlenA(shortPath) + 1));
        RegSetValueExA(key, "ScreenSaveActive", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    } else {
        RegDeleteValueA(key, "SCRNSAVE.EXE");
    }
    return RegCloseKey(key);
}

void ApplicationWin32::setWallpaper(const std::string& relativePath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, "WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
        RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
        RegCloseKey(key);
    }
    std::string picture = backslashed(programDirectoryWin32() + "\\" + relativePath);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &picture[0], SPIF_UPDATEINIFILE);
}

void ApplicationWin32::runProcessAndWait(const std::string& relativeProgram,
                                         const std::string& commandLine) {
    EngineReference engine;
    const bool wasWindowed = engine->System_GetFlag(Windowed);
    if (!wasWindowed) {
        engine->System_SetFlag(Windowed, true);
    }
    HWND shown = reinterpret_cast<HWND>(window);
    if (shown != nullptr) {
        ShowWindow(shown, SW_SHOWMINNOACTIVE);
    }
    const std::string program = programDirectoryWin32() + "\\" + relativeProgram;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof(process));
    if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (shown != nullptr) {
        ShowWindow(shown, SW_RESTORE);
    }
    if (!wasWindowed) {
        engine->System_SetFlag(Windowed, false);
    }
}

namespace {

bool copyIntoShellFolder(int csidl, const std::string& relativePath, bool failIfExists) {
    const std::string folder = shellFolderWin32(csidl);
    if (folder.empty()) {
        return false;
    }
    const std::string path = backslashed(relativePath);
    const std::string name = fileNameOf(path);
    if (name.empty()) {
        return false;
    }
    const std::string source = programDirectoryWin32() + "\\" + path;
    const std::string target = folder + "\\" + name;
    return CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != 0;
}

} // namespace

bool ApplicationWin32::copyToDesktop(const std::string& relativePath, bool failIfExists) {
    return copyIntoShellFolder(CSIDL_DESKTOPDIRECTORY, relativePath, failIfExists);
}

bool ApplicationWin32::copyToDocuments(const std::string& relativePath, bool failIfExists) {
    return copyIntoShellFolder(CSIDL_PERSONAL, relativePath, failIfExists);
}

std::string ApplicationWin32::documentsPath(const std::string& relativePath) {
    const std::string folder = shellFolderWin32(CSIDL_PERSONAL);
    const std::string name = fileNameOf(backslashed(relativePath));
    if (folder.empty() || name.empty()) {
        return std::string();
    }
    return folder + "\\" + name;
}

void ApplicationWin32::updateWindowTitle() {
    if (window != nullptr) {
        SetWindowTextA(reinterpret_cast<HWND>(window), (name + " " + version).c_str());
    }
}

void ApplicationWin32::setDataFolder(const std::string& maker, const std::string& product) {
    std::string folderName = product.empty() ? name : product;
    for (char& c : folderName) {
        if (c == ':') {
            c = ' ';
        }
    }
    const std::string appData = shellFolderWin32(CSIDL_APPDATA | CSIDL_FLAG_CREATE);
    if (appData.empty()) {
        return;
    }
    dataFolder = appData + "\\" + maker + "\\";
    CreateDirectoryA(dataFolder.c_str(), nullptr);
    dataFolder += folderName + "\\";
    CreateDirectoryA(dataFolder.c_str(), nullptr);
}

ScreenSize ApplicationWin32::primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenSize ApplicationWin32::registryDesktopMode() {
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &mode)) {
        return {0, 0};
    }
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
}

void ApplicationWin32::reapplyCursorPosition() {
    POINT position;
    if (GetCursorPos(&position)) {
        SetCursorPos(position.x, position.y);
    }
}

void ApplicationWin32::invalidateWindow() {
    EngineReference engine;
    HWND shown = reinterpret_cast<HWND>(engine->System_GetWindow(WindowHandle));
    if (shown != nullptr) {
        InvalidateRect(shown, nullptr, FALSE);
    }
}

void ApplicationWin32::showWarningBox(const std::string& caption, const std::string& text) {
    EngineReference engine;
    HWND owner = reinterpret_cast<HWND>(engine->System_GetWindow(WindowHandle));
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONWARNING);
}

bool ApplicationWin32::createRenderer() {
    EngineReference engine;
    renderer = ph::adopt<pr::Renderer>(new pr::DX8Renderer(EngineDevice(&*engine)));
    return true;
}

} // namespace wf

// The engine instance: acquisition and release, start-up and shut-down, the
// frame loop with its timing, logging, documents and screenshots.
#include "engine/EngineImpl.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>

#include "engine/FrameRateEstimator.h"
#include "engine/FrameTiming.h"
#include "engine/SystemVersionWin32.h"
#include "engine/d3dx/D3dx8.h"

namespace {

const char windowClassName[] = "ENGINE__WNDCLASS";

EngineImpl* engineInstance = nullptr;
int engineReferences = 0;

class SystemClock : public EngineClock {
public:
    uint32_t now() override { return timeGetTime(); }
    void sleep(uint32_t milliseconds) override { Sleep(milliseconds); }
};

SystemClock systemClock;

} // namespace

Engine* AcquireEngine() {
    if (engineInstance == nullptr) {
        engineInstance = new EngineImpl();
    }
    ++engineReferences;
    return engineInstance;
}

EngineImpl* EngineImpl::instance() {
    return engineInstance;
}

EngineImpl::EngineImpl() : clock(&systemClock) {
    moduleInstance = GetModuleHandleA(nullptr);
    cursor = LoadCursorA(nullptr, IDC_ARROW);
    ZeroMemory(&windowedPresentation, sizeof(windowedPresentation));
    ZeroMemory(&fullScreenPresentation, sizeof(fullScreenPresentation));
    ZeroMemory(&viewMatrix, sizeof(viewMatrix));
    ZeroMemory(&projectionMatrix, sizeof(projectionMatrix));
    ZeroMemory(&searchRecord, sizeof(searchRecord));

    char executable[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, executable, sizeof(executable));
    executable[sizeof(executable) - 1] = '\0';
    char* lastSlash = strrchr(executable, '\\');
    if (lastSlash != nullptr) {
        lastSlash[1] = '\0';
    }
    enginepaths::copyBounded(appDirectory, sizeof(appDirectory), executable);
}

void EngineImpl::System_Release() {
    if (--engineReferences > 0) {
        return;
    }
    if (window != nullptr) {
        System_Shutdown();
    }
    Data_RemoveAllArchives();
    delete estimator;
    estimator = nullptr;
    engineInstance = nullptr;
    delete this;
}

void EngineImpl::setClock(EngineClock* replacement) {
    clock = replacement != nullptr ? replacement : &systemClock;
}

void EngineImpl::fail(const char* text) {
    enginepaths::copyBounded(lastError, sizeof(lastError), text);
    System_WriteLog("%s", text);
}

const char* EngineImpl::System_GetLastError() {
    return lastError;
}

void EngineImpl::writeLogV(const char* format, va_list arguments) {
    if (logFile[0] == '\0') {
        return;
    }
    FILE* file = fopen(logFile, "a");
    if (file == nullptr) {
        return;
    }
    vfprintf(file, format, arguments);
    fputs("\n", file);
    fclose(file);
}

void EngineImpl::System_WriteLog(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    writeLogV(format, arguments);
    va_end(arguments);
}

bool EngineImpl::System_OpenDocument(const char* path) {
    const HINSTANCE result =
        ShellExecuteA(window, nullptr, path, nullptr, nullptr, SW_SHOWMAXIMIZED);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void EngineImpl::System_SaveScreenshot(const char* path) {
    char shotName[enginepaths::maxPath];
    if (path == nullptr) {
        int count = 0;
        for (const char* found = Data_FindFiles("shot???.bmp"); found != nullptr;
             found = Data_FindFiles(nullptr)) {
            ++count;
        }
        // Counting alone would overwrite a later shot when an earlier one was
        // deleted: move on to the first number without a file.
        for (;; ++count) {
            char name[32];
            snprintf(name, sizeof(name), "shot%03d.bmp", count);
            const char* resolved = Data_ResolvePath(name);
            if (resolved[0] == '\0' || GetFileAttributesA(resolved) == INVALID_FILE_ATTRIBUTES) {
                break;
            }
        }
        char name[32];
        snprintf(name, sizeof(name), "shot%03d.bmp", count);
        enginepaths::copyBounded(shotName, sizeof(shotName), Data_ResolvePath(name));
        path = shotName;
    }
    if (device == nullptr || path[0] == '\0') {
        return;
    }
    IDirect3DSurface8* surface = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
        D3DXSaveSurfaceToFileA(path, D3DXIFF_BMP, surface, nullptr, nullptr);
        surface->Release();
    }
}

void EngineImpl::paintBlack() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(window, &paint);
}

void EngineImpl::computeWindowGeometry() {
    const int frameWidth = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int frameHeight = GetSystemMetrics(SM_CYFIXEDFRAME);
    const int width = screenWidth + frameWidth * 2;
    const int height = screenHeight + frameHeight * 2 + GetSystemMetrics(SM_CYCAPTION);
    windowedRect.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    windowedRect.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    windowedRect.right = windowedRect.left + width;
    windowedRect.bottom = windowedRect.top + height;
    windowedStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    SetRect(&fullScreenRect, 0, 0, screenWidth, screenHeight);
    fullScreenStyle = WS_POPUP | WS_VISIBLE;
    if (parentWindow != nullptr) {
        SetRect(&windowedRect, 0, 0, screenWidth, screenHeight);
        windowedStyle = WS_CHILD | WS_VISIBLE;
        windowed = true;
    }
}

bool EngineImpl::System_Initiate() {
    System_WriteLog("Engine Started..\n");
    System_WriteLog("Engine version: %X.%X", version >> 8, version & 0xFF);
    SYSTEMTIME now;
    GetLocalTime(&now);
    System_WriteLog("Date: %02d.%02d.%d, %02d:%02d:%02d\n", now.wDay, now.wMonth, now.wYear,
                    now.wHour, now.wMinute, now.wSecond);
    System_WriteLog("Application: %s", windowTitle);

    const OSVERSIONINFOA os = systemVersion();
    System_WriteLog("OS: Windows %ld.%ld.%ld", static_cast<long>(os.dwMajorVersion),
                    static_cast<long>(os.dwMinorVersion), static_cast<long>(os.dwBuildNumber));
    MEMORYSTATUSEX memory;
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);
    System_WriteLog("Memory: %ldK total, %ldK free\n",
                    static_cast<long>(memory.ullTotalPhys / 1024),
                    static_cast<long>(memory.ullAvailPhys / 1024));

    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &EngineImpl::windowProcedure;
    windowClass.hInstance = moduleInstance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = iconResource != nullptr ? LoadIconA(moduleInstance, iconResource)
                                                : LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass)) {
        fail("Can't register window class");
        return false;
    }

    computeWindowGeometry();
    if (windowed) {
        window = CreateWindowExA(0, windowClassName, windowTitle, windowedStyle, windowedRect.left,
                                 windowedRect.top, windowedRect.right - windowedRect.left,
                                 windowedRect.bottom - windowedRect.top, parentWindow, nullptr,
                                 moduleInstance, nullptr);
    } else {
        window = CreateWindowExA(WS_EX_TOPMOST, windowClassName, windowTitle, fullScreenStyle, 0, 0,
                                 0, 0, nullptr, nullptr, moduleInstance, nullptr);
    }
    if (window == nullptr) {
        fail("Can't create window");
        UnregisterClassA(windowClassName, moduleInstance);
        return false;
    }

    paintBlack();
    ShowWindow(window, SW_SHOW);
    timeBeginPeriod(1);
    Rand_SetSeed(0);
    setUpPowerStatus();
    resetInput();

    if (!initGraphics()) {
        System_Shutdown();
        return false;
    }
    if (!startSound()) {
        System_Shutdown();
        return false;
    }

    paintBlack();
    System_WriteLog("Init done.\n");

    elapsedTime = 0.0f;
    lastFrameTick = lastRateTick = clock->now();
    frameCounter = 0;
    lastRawStep = 0;
    framesPerSecond = 0;
    startNesting = 0;
    return true;
}

void EngineImpl::System_Shutdown() {
    System_WriteLog("\nFinishing..");
    timeEndPeriod(1);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        search = INVALID_HANDLE_VALUE;
    }
    clearInput();
    stopSound();
    releaseGraphics();
    if (kernelLibrary != nullptr) {
        FreeLibrary(kernelLibrary);
        kernelLibrary = nullptr;
        getSystemPowerStatus = nullptr;
    }
    if (window != nullptr) {
        DestroyWindow(window);
        window = nullptr;
    }
    UnregisterClassA(windowClassName, moduleInstance);
    System_WriteLog("The End.");
}

bool EngineImpl::System_Start() {
    if (window == nullptr) {
        fail("System_Start: System_Initiate wasn't called");
        return false;
    }
    if (frameCallback == nullptr) {
        fail("System_Start: No frame function defined");
        return false;
    }
    ++startNesting;
    active = true;

    for (;;) {
        if (parentWindow == nullptr) {
            MSG message;
            if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    break;
                }
                DispatchMessageA(&message);
                continue;
            }
        }
        updateMouseInside();
        if (!active && !runUnfocused) {
            clock->sleep(1);
            continue;
        }

        uint32_t rawStep;
        do {
            rawStep = clock->now() - lastFrameTick;
        } while (rawStep < 1);
        lastRawStep = rawStep;

        if (frametiming::frameDue(rawStep, fixedInterval, extraDelay)) {
            frameStep = frametiming::frameStepFor(rawStep, fixedInterval);
            elapsedTime += frameStep;

            const uint32_t frameTick = clock->now();
            lastFrameTick = frameTick;
            if (frameTick - lastRateTick > 1000) {
                framesPerSecond = frameCounter;
                frameCounter = 0;
                lastRateTick = frameTick;
                probePowerStatus();
            } else {
                ++frameCounter;
            }

            if (frameCallback()) {
                break;
            }
            if (renderCallback != nullptr) {
                renderCallback();
            }
            if (framePacing) {
                if (estimator == nullptr) {
                    estimator = new FrameRateEstimator();
                }
                extraDelay = estimator->pace(clock->now() - lastFrameTick, fixedInterval);
            }
            if (parentWindow != nullptr) {
                break;
            }
            clearInput();
        } else if (frametiming::shouldIdle(rawStep, fixedInterval)) {
            clock->sleep(1);
        }

        if (restoreDeadline > 0.0f && Clock_GetTime() >= restoreDeadline) {
            toggleFullScreen();
            restoreDeadline = -1.0f;
        }
    }

    clearInput();
    if (--startNesting == 0) {
        active = false;
    }
    return true;
}

float EngineImpl::Clock_GetTime() {
    return elapsedTime;
}

float EngineImpl::Clock_GetFrameTime() {
    return frameStep;
}

int EngineImpl::Clock_GetFrameRate() {
    return framesPerSecond;
}

void EngineImpl::setUpPowerStatus() {
    kernelLibrary = LoadLibraryA("kernel32.dll");
    if (kernelLibrary != nullptr) {
        getSystemPowerStatus = reinterpret_cast<BOOL(WINAPI*)(LPSYSTEM_POWER_STATUS)>(
            reinterpret_cast<void*>(GetProcAddress(kernelLibrary, "GetSystemPowerStatus")));
    }
    probePowerStatus();
}

void EngineImpl::probePowerStatus() {
    SYSTEM_POWER_STATUS status;
    if (getSystemPowerStatus == nullptr || !getSystemPowerStatus(&status)) {
        powerStatus = -2;
    } else if (status.ACLineStatus == 1) {
        powerStatus = -1;
    } else if (status.BatteryFlag & 128) {
        powerStatus = -2;
    } else {
        powerStatus = status.BatteryLifePercent;
    }
}

void EngineImpl::focusChange(bool nowActive) {
    active = nowActive;
    EngineCallback callback = nowActive ? focusGainedCallback : focusLostCallback;
    if (callback != nullptr) {
        callback();
    }
}

bool EngineImpl::toggleFullScreen() {
    restoreDeadline = -1.0f;
    restoreFullScreenPending = false;
    if (modeSwitchCallback != nullptr && !modeSwitchCallback()) {
        return false;
    }
    System_SetFlag(Windowed, !windowed);
    if (modeSwitchedCallback != nullptr) {
        modeSwitchedCallback();
    }
    return true;
}

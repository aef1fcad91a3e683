// The engine's state table: typed setters and getters keyed by the state
// identifiers, with the rules of when a value is stored and what it changes.
#include "engine/EngineImpl.h"

#include <cstdio>

#include "engine/DisplayModes.h"
#include "engine/FrameTiming.h"

namespace {

bool sceneOpen(const EngineImpl& engine) {
    return engine.lockedVertices != nullptr;
}

} // namespace

void EngineImpl::System_SetFlag(EngineFlagState state, bool value) {
    switch (state) {
    case Windowed:
        if (sceneOpen(*this) || parentWindow != nullptr) {
            return;
        }
        if (device == nullptr || value == windowed) {
            windowed = value;
            return;
        }
        if (windowedPresentation.BackBufferFormat == D3DFMT_UNKNOWN ||
            fullScreenPresentation.BackBufferFormat == D3DFMT_UNKNOWN) {
            return;
        }
        if (windowed) {
            GetWindowRect(window, &windowedRect);
        }
        windowed = value;
        presentation = windowed ? &windowedPresentation : &fullScreenPresentation;
        screenDepth = displayFormatRank(presentation->BackBufferFormat) >= 4 ? 32 : 16;
        SetWindowLongPtrA(window, GWL_STYLE, windowed ? windowedStyle : fullScreenStyle);
        restoreDevice();
        adjustWindow();
        return;
    case DepthBuffer:
        if (device == nullptr) {
            depthBuffer = value;
        }
        return;
    case LinearFiltering:
        linearFiltering = value;
        if (device != nullptr) {
            flush(false);
            const DWORD filter = value ? D3DTEXF_LINEAR : D3DTEXF_POINT;
            device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
            device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
        }
        return;
    case SoundEnabled:
        if (value == soundEnabled) {
            return;
        }
        soundEnabled = value;
        if (window != nullptr) {
            if (value) {
                startSound();
            } else {
                stopSound();
            }
        }
        return;
    case RunUnfocused:
        runUnfocused = value;
        return;
    case HideCursor:
        hideCursor = value;
        return;
    case ClampTextures:
        if (value == clampTextures) {
            return;
        }
        clampTextures = value;
        if (device != nullptr) {
            flush(false);
            const DWORD address = value ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
            device->SetTextureStageState(0, D3DTSS_ADDRESSU, address);
            device->SetTextureStageState(0, D3DTSS_ADDRESSV, address);
        }
        return;
    case FramePacing:
        framePacing = value;
        if (!value) {
            extraDelay = 0;
        }
        return;
    }
}

void EngineImpl::System_SetCallback(EngineCallbackState state, EngineCallback value) {
    switch (state) {
    case FrameCallback:
        frameCallback = value;
        return;
    case RenderCallback:
        renderCallback = value;
        return;
    case FocusLostCallback:
        focusLostCallback = value;
        return;
    case FocusGainedCallback:
        focusGainedCallback = value;
        return;
    case DeviceRestoredCallback:
        deviceRestoredCallback = value;
        return;
    case CloseRequestCallback:
        closeRequestCallback = value;
        return;
    case ModeSwitchedCallback:
        modeSwitchedCallback = value;
        return;
    case ModeSwitchCallback:
        modeSwitchCallback = value;
        return;
    }
}

void EngineImpl::System_SetParentWindow(EngineWindowState state, EngineWindow value) {
    if (state == ParentWindow && window == nullptr) {
        parentWindow = reinterpret_cast<HWND>(value);
    }
}

void EngineImpl::System_SetNumber(EngineNumberState state, int value) {
    switch (state) {
    case ScreenWidth:
        if (device == nullptr) {
            screenWidth = value;
        }
        return;
    case ScreenHeight:
        if (device == nullptr) {
            screenHeight = value;
        }
        return;
    case ScreenDepth:
        if (device == nullptr) {
            screenDepth = value;
        }
        return;
    case SampleRate:
        if (soundLibrary == nullptr) {
            sampleRate = value;
        }
        return;
    case EffectVolume:
    case MusicVolume:
    case StreamVolume:
        (state == EffectVolume  ? effectVolume
         : state == MusicVolume ? musicVolume
                                : streamVolume) = value;
        if (soundLibrary != nullptr) {
            applyGlobalVolumes();
        }
        return;
    case FrameRate:
        if (sceneOpen(*this)) {
            return;
        }
        if (device != nullptr && (frameRate < 0) != (value < 0)) {
            if (value == -1) {
                windowedPresentation.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
                fullScreenPresentation.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
                fullScreenPresentation.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
            } else {
                windowedPresentation.SwapEffect = D3DSWAPEFFECT_COPY;
                fullScreenPresentation.SwapEffect = D3DSWAPEFFECT_FLIP;
                fullScreenPresentation.FullScreen_PresentationInterval =
                    D3DPRESENT_INTERVAL_IMMEDIATE;
            }
            restoreDevice();
        }
        frameRate = value;
        fixedInterval = frametiming::fixedIntervalFor(value);
        return;
    case PowerStatus:
        return;
    }
}

void EngineImpl::System_SetText(EngineTextState state, const char* value) {
    switch (state) {
    case IconResource:
        iconResource = value;
        if (window != nullptr) {
            SetClassLongPtrA(window, GCLP_HICON,
                             reinterpret_cast<LONG_PTR>(LoadIconA(moduleInstance, value)));
        }
        return;
    case WindowTitle:
        enginepaths::copyBounded(windowTitle, sizeof(windowTitle), value != nullptr ? value : "");
        if (window != nullptr) {
            SetWindowTextA(window, windowTitle);
        }
        return;
    case IniFile:
        if (value == nullptr) {
            iniFile[0] = '\0';
        } else {
            enginepaths::copyBounded(iniFile, sizeof(iniFile), Data_ResolvePath(value));
        }
        return;
    case LogFile:
        if (value == nullptr) {
            logFile[0] = '\0';
            return;
        }
        enginepaths::copyBounded(logFile, sizeof(logFile), Data_ResolvePath(value));
        if (logFile[0] != '\0') {
            FILE* file = fopen(logFile, "w");
            if (file == nullptr) {
                logFile[0] = '\0';
            } else {
                fclose(file);
            }
        }
        return;
    case AppDirectory:
        if (value != nullptr) {
            enginepaths::copyBounded(appDirectory, sizeof(appDirectory), value);
        }
        return;
    }
}

bool EngineImpl::System_GetFlag(EngineFlagState state) {
    switch (state) {
    case Windowed:
        return windowed;
    case DepthBuffer:
        return depthBuffer;
    case LinearFiltering:
        return linearFiltering;
    case SoundEnabled:
        return soundEnabled;
    case RunUnfocused:
        return runUnfocused;
    case HideCursor:
        return hideCursor;
    case ClampTextures:
        return clampTextures;
    case FramePacing:
        return false; // write-only
    }
    return false;
}

EngineCallback EngineImpl::System_GetCallback(EngineCallbackState state) {
    switch (state) {
    case FrameCallback:
        return frameCallback;
    case RenderCallback:
        return renderCallback;
    case FocusLostCallback:
        return focusLostCallback;
    case FocusGainedCallback:
        return focusGainedCallback;
    case CloseRequestCallback:
        return closeRequestCallback;
    case DeviceRestoredCallback:
    case ModeSwitchedCallback:
    case ModeSwitchCallback:
        return nullptr; // write-only
    }
    return nullptr;
}

EngineWindow EngineImpl::System_GetWindow(EngineWindowState state) {
    switch (state) {
    case WindowHandle:
        return reinterpret_cast<EngineWindow>(window);
    case ParentWindow:
        return reinterpret_cast<EngineWindow>(parentWindow);
    }
    return nullptr;
}

int EngineImpl::System_GetNumber(EngineNumberState state) {
    switch (state) {
    case ScreenWidth:
        return screenWidth;
    case ScreenHeight:
        return screenHeight;
    case ScreenDepth:
        return screenDepth;
    case SampleRate:
        return sampleRate;
    case EffectVolume:
        return effectVolume;
    case MusicVolume:
        return musicVolume;
    case StreamVolume:
        return streamVolume;
    case FrameRate:
        return frameRate;
    case PowerStatus:
        return powerStatus;
    }
    return 0;
}

const char* EngineImpl::System_GetText(EngineTextState state) {
    switch (state) {
    case IconResource:
        return iconResource;
    case WindowTitle:
        return windowTitle;
    case IniFile:
        return iniFile[0] != '\0' ? iniFile : nullptr;
    case LogFile:
        return logFile[0] != '\0' ? logFile : nullptr;
    case AppDirectory:
        return appDirectory[0] != '\0' ? appDirectory : nullptr;
    }
    return nullptr;
}

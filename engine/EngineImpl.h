#pragma once
// EngineImpl: the one implementation of Engine, on Win32, Direct3D 8 and an
// audio library loaded at run time. A Windows-only header: the application
// shell and the tests under Wine reach the internal operations through it.

#include <windows.h>

#include <d3d8.h>

#include <cstdarg>

#include "engine/Engine.h"
#include "engine/EngineClock.h"
#include "engine/EnginePaths.h"

class FrameRateEstimator;

void setIdentity(D3DMATRIX& matrix);
struct SoundLibrary;

struct EngineTarget {
    int width, height; // the surface size actually obtained
    IDirect3DTexture8* texture;
    IDirect3DSurface8* depth; // null unless requested (or while the device is being restored)
    bool withDepth;
    EngineTarget* next;
};

struct EngineTextureEntry {
    IDirect3DTexture8* texture;
    int sourceWidth, sourceHeight; // the image file's own size
    EngineTextureEntry* next;
};

struct EngineEventEntry {
    EngineEvent event;
    EngineEventEntry* next;
};

struct EnginePack {
    char path[enginepaths::maxPath]; // resolved, upper case
    char password[64];               // empty: none
    EnginePack* next;
};

struct EngineStreamEntry {
    uint32_t stream;
    void* data; // from Data_LoadFile, lives as long as the stream
    EngineStreamEntry* next;
};

class EngineImpl final : public Engine {
public:
    static const uint32_t version = 0x180;
    static const int vertexCapacity = 4000;
    static const int maxLines = 2000;
    static const int maxTriangles = 1333;
    static const int maxQuads = 1000;
    // The recorded blend mode after (re)creation: nothing is known about the device.
    static const int unknownBlendMode = -1;

    // The instance, or null before the first AcquireEngine / after the last release.
    static EngineImpl* instance();

    EngineImpl();

    // Engine
    void System_Release() override;
    bool System_Initiate() override;
    void System_Shutdown() override;
    bool System_Start() override;
    const char* System_GetLastError() override;
    void System_WriteLog(const char* format, ...) override;
    bool System_OpenDocument(const char* path) override;
    void System_SaveScreenshot(const char* path) override;
    void System_SetFlag(EngineFlagState state, bool value) override;
    void System_SetCallback(EngineCallbackState state, EngineCallback value) override;
    void System_SetParentWindow(EngineWindowState state, EngineWindow value) override;
    void System_SetNumber(EngineNumberState state, int value) override;
    void System_SetText(EngineTextState state, const char* value) override;
    bool System_GetFlag(EngineFlagState state) override;
    EngineCallback System_GetCallback(EngineCallbackState state) override;
    EngineWindow System_GetWindow(EngineWindowState state) override;
    int System_GetNumber(EngineNumberState state) override;
    const char* System_GetText(EngineTextState state) override;
    void* Data_LoadFile(const char* name, uint32_t* size) override;
    void Data_FreeFile(void* block) override;
    bool Data_AddArchive(const char* name, const char* password) override;
    void Data_RemoveArchive(const char* name) override;
    void Data_RemoveAllArchives() override;
    const char* Data_ResolvePath(const char* name) override;
    const char* Data_FindFiles(const char* mask) override;
    const char* Data_FindFolders(const char* mask) override;
    void Settings_WriteInt(const char* section, const char* key, int value) override;
    int Settings_ReadInt(const char* section, const char* key, int fallback) override;
    void Settings_WriteFloat(const char* section, const char* key, float value) override;
    float Settings_ReadFloat(const char* section, const char* key, float fallback) override;
    void Settings_WriteString(const char* section, const char* key, const char* value) override;
    const char* Settings_ReadString(const char* section, const char* key,
                                    const char* fallback) override;
    void Rand_SetSeed(int seed) override;
    int Rand_Integer(int min, int max) override;
    float Rand_Real(float min, float max) override;
    float Clock_GetTime() override;
    float Clock_GetFrameTime() override;
    int Clock_GetFrameRate() override;
    EngineSample Sample_Load(const void* data, uint32_t size) override;
    void Sample_Free(EngineSample sample) override;
    EngineChannel Sample_Play(EngineSample sample) override;
    EngineChannel Sample_PlayAdjusted(EngineSample sample, int volume, int pan, float pitch,
                                      bool loop) override;
    EngineMusic Tracker_Load(const void* data, uint32_t size) override;
    void Tracker_Free(EngineMusic music) override;
    EngineChannel Tracker_Play(EngineMusic music, bool loop, int volume, int order,
                               int row) override;
    void Tracker_SetAmplify(EngineMusic music, int amplify) override;
    int Tracker_GetAmplify(EngineMusic music) override;
    int Tracker_GetOrderCount(EngineMusic music) override;
    void Tracker_SetPosition(EngineMusic music, int order, int row) override;
    bool Tracker_GetPosition(EngineMusic music, int* order, int* row) override;
    void Tracker_SetInstrumentVolume(EngineMusic music, int instrument, int volume) override;
    int Tracker_GetInstrumentVolume(EngineMusic music, int instrument) override;
    void Tracker_SetChannelVolume(EngineMusic music, int channel, int volume) override;
    int Tracker_GetChannelVolume(EngineMusic music, int channel) override;
    EngineStream Stream_Open(const void* data, uint32_t size) override;
    void Stream_Close(EngineStream stream) override;
    EngineChannel Stream_Start(EngineStream stream, bool loop, int volume) override;
    void Voice_SetPan(EngineChannel channel, int pan) override;
    void Voice_SetVolume(EngineChannel channel, int volume) override;
    void Voice_SetPitch(EngineChannel channel, float pitch) override;
    void Voice_Pause(EngineChannel channel) override;
    void Voice_Resume(EngineChannel channel) override;
    void Voice_Stop(EngineChannel channel) override;
    void Voice_PauseAll() override;
    void Voice_ResumeAll() override;
    void Voice_StopAll() override;
    bool Voice_IsPlaying(EngineChannel channel) override;
    float Voice_GetLength(EngineChannel channel) override;
    float Voice_GetPosition(EngineChannel channel) override;
    void Voice_SetPosition(EngineChannel channel, float seconds) override;
    void Voice_SlideTo(EngineChannel channel, float time, int volume, int pan,
                       float pitch) override;
    bool Voice_IsSliding(EngineChannel channel) override;
    void Input_GetMousePosition(float* x, float* y) override;
    void Input_SetMousePosition(float x, float y) override;
    int Input_GetWheel() override;
    bool Input_IsMouseInside() override;
    bool Input_WasPressed(int key) override;
    bool Input_WasReleased(int key) override;
    bool Input_IsKeyHeld(int key) override;
    const char* Input_KeyName(int key) override;
    int Input_LastKey() override;
    int Input_LastChar() override;
    bool Input_PopEvent(EngineEvent* event) override;
    void Input_SetCursor(EngineCursor cursor) override;
    bool Gfx_BeginScene(EngineTarget* target) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(uint32_t colour) override;
    void Gfx_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour, float z) override;
    void Gfx_DrawTriangle(const EngineTriangle* triangle) override;
    void Gfx_DrawQuad(const EngineQuad* quad, int unused) override;
    void Gfx_DrawQuadLayered(const EngineQuad* quad) override;
    EngineVertex* Gfx_BeginBatch(int type, EngineTexture texture, EngineTexture texture2, int blend,
                                 int* maxCount) override;
    void Gfx_EndBatch(int count) override;
    void Gfx_SetClipRect(int x, int y, int w, int h) override;
    void Gfx_SetViewTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                              float vscale) override;
    EngineTarget* Gfx_CreateTarget(int width, int height, bool withDepth) override;
    void Gfx_FreeTarget(EngineTarget* target) override;
    EngineTexture Gfx_GetTargetTexture(EngineTarget* target) override;
    EngineTexture Gfx_CreateTexture(int width, int height) override;
    EngineTexture Gfx_LoadTexture(const void* data, uint32_t size, bool mipmaps) override;
    void Gfx_FreeTexture(EngineTexture texture) override;
    int Gfx_TextureWidth(EngineTexture texture, bool sourceSize) override;
    int Gfx_TextureHeight(EngineTexture texture, bool sourceSize) override;
    uint32_t* Gfx_LockTexture(EngineTexture texture, bool readOnly, int left, int top, int width,
                              int height) override;
    void Gfx_UnlockTexture(EngineTexture texture) override;

    // System internals (also used by the application shell's own start-up).
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // Replaces the frame loop's clock (null: the system timer); not owned.
    void setClock(EngineClock* replacement);
    EngineClock& frameClock() { return *clock; }
    void fail(const char* text); // stores the last error and logs it
    void writeLogV(const char* format, va_list arguments);
    void focusChange(bool nowActive);
    bool toggleFullScreen();
    void setUpPowerStatus();
    void probePowerStatus();
    void paintBlack();
    void computeWindowGeometry();

    // Input internals
    void addInputEvent(int type, int key, int scanCode, int flags, int x, int y);
    void clearInput();
    void resetInput();
    void updateMouseInside();

    // Graphics internals
    bool initGraphics();
    void releaseGraphics();
    bool restoreDevice();
    bool createDeviceResources();
    void releaseDeviceResources();
    void adjustWindow();
    void resize(int width, int height);
    void flush(bool endOfScene);
    void applyBlend(int blend);
    void setProjection(int width, int height);
    void bindTexture(DWORD stage, IDirect3DTexture8* texture);
    void drawPrimitives(D3DPRIMITIVETYPE type, UINT count, bool indexed);

    // Sound internals
    // The bytes a sound loader works on: a file read here (to be given back
    // through Data_FreeFile) when `size` is 0, else the caller's block.
    const void* soundData(const void* data, uint32_t& size, void*& loaded);
    bool startSound();
    void stopSound();
    void applyGlobalVolumes();

    // identity
    HINSTANCE moduleInstance;
    HWND window = nullptr;
    bool active = false;

    // texts
    char lastError[256] = "";
    char appDirectory[enginepaths::maxPath] = "";
    char iniString[256] = "";

    // callbacks
    EngineCallback frameCallback = nullptr;
    EngineCallback renderCallback = nullptr;
    EngineCallback focusLostCallback = nullptr;
    EngineCallback focusGainedCallback = nullptr;
    EngineCallback deviceRestoredCallback = nullptr;
    EngineCallback closeRequestCallback = nullptr;
    EngineCallback modeSwitchedCallback = nullptr;
    EngineCallback modeSwitchCallback = nullptr;

    // window settings
    const char* iconResource = nullptr;
    char windowTitle[256] = "Engine";
    int screenWidth = 800, screenHeight = 600, screenDepth = 32;
    bool windowed = false, depthBuffer = false, linearFiltering = true;

    // files
    char iniFile[enginepaths::maxPath] = "";
    char logFile[enginepaths::maxPath] = "";

    // sound settings
    bool soundEnabled = true;
    int sampleRate = 44100, effectVolume = 100, musicVolume = 100, streamVolume = 100;

    // frame settings
    int frameRate = 0;
    bool hideCursor = true, runUnfocused = false;
    HWND parentWindow = nullptr;
    HCURSOR cursor;
    bool clampTextures = false;

    // power
    int powerStatus = -2;
    HMODULE kernelLibrary = nullptr;
    BOOL(WINAPI* getSystemPowerStatus)(LPSYSTEM_POWER_STATUS) = nullptr;

    // window geometry
    RECT windowedRect = {0, 0, 0, 0};
    LONG windowedStyle = 0;
    RECT fullScreenRect = {0, 0, 0, 0};
    LONG fullScreenStyle = 0;

    // graphics
    D3DPRESENT_PARAMETERS* presentation = nullptr;
    D3DPRESENT_PARAMETERS windowedPresentation;
    D3DPRESENT_PARAMETERS fullScreenPresentation;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    IDirect3DIndexBuffer8* indexBuffer = nullptr;
    IDirect3DSurface8* screenSurface = nullptr;
    IDirect3DSurface8* screenDepthSurface = nullptr;
    D3DMATRIX viewMatrix;
    D3DMATRIX projectionMatrix;
    EngineTarget* targets = nullptr;
    EngineTarget* currentTarget = nullptr;
    // False when the device's render target, depth test and projection may not
    // match `currentTarget` (after creation, a restore or freeing the current
    // target): the next scene sets them whatever it draws to.
    bool targetStateKnown = false;
    EngineTextureEntry* textures = nullptr;
    EngineVertex* lockedVertices = nullptr;
    int primitiveCount = 0;
    int primitiveType = EnginePrimQuads;
    int blendMode = -1;
    IDirect3DTexture8* boundTexture = nullptr;
    IDirect3DTexture8* boundTexture2 = nullptr;
    D3DFORMAT bestFullScreenFormat = D3DFMT_UNKNOWN;
    // Every draw call the engine issues, so batching can be observed.
    unsigned drawCallCount = 0;
    unsigned presentCount = 0;
    UINT lastDrawPrimitiveCount = 0;
    D3DPRIMITIVETYPE lastDrawType = D3DPT_POINTLIST;

    // sound
    HMODULE soundLibrary = nullptr;
    bool silent = false;
    EngineStreamEntry* streams = nullptr;
    SoundLibrary* sound = nullptr; // entry points, valid while the library is loaded

    // input
    int lastKey = 0, lastChar = 0, wheel = 0;
    float mouseX = 0.0f, mouseY = 0.0f;
    bool mouseInside = false, captured = false;
    unsigned char keyTable[256] = {};
    EngineEventEntry* eventQueue = nullptr;

    // data files
    char pathResult[enginepaths::maxPath] = "";
    EnginePack* packs = nullptr;
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA searchRecord;
    char searchFolder[enginepaths::maxPath] = "";

    // clock
    float elapsedTime = 0.0f;
    float frameStep = 0.0f;
    uint32_t fixedInterval = 0;
    int framesPerSecond = 0;
    uint32_t lastFrameTick = 0, lastRateTick = 0, lastRawStep = 0;
    int frameCounter = 0;

    // pacing
    bool framePacing = false;
    uint32_t extraDelay = 0;
    int startNesting = 0;
    bool restoreFullScreenPending = false;
    float restoreDeadline = -1.0f;
    FrameRateEstimator* estimator = nullptr;

private:
    ~EngineImpl() = default;
    EngineClock* clock;
};

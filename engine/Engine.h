#pragma once
// The engine core as the other layers see it: one abstract interface of 105
// operations in a fixed order, the drawing records, input events and state
// identifiers. Needs no Windows or Direct3D header, so portable code and its
// native tests can drive a recording engine of their own.

#include <cstdint>

// Opaque handles. Textures are the device's own texture objects, windows and
// cursors the system's handles, passed through unchanged.
struct EngineTextureObject;
struct EngineWindowObject;
struct EngineCursorObject;
struct EngineTarget; // render target record, owned by the engine
typedef EngineTextureObject* EngineTexture;
typedef EngineWindowObject* EngineWindow;
typedef EngineCursorObject* EngineCursor;

// Sound handles are the audio library's 32-bit values; 0 means failure.
typedef uint32_t EngineSample;
typedef uint32_t EngineMusic;
typedef uint32_t EngineStream;
typedef uint32_t EngineChannel;

// Frame, device-restored, close-request and mode-switch callbacks answer a
// bool; the result of the others is ignored.
typedef bool (*EngineCallback)();

// One vertex of the dynamic vertex buffer (32 bytes).
struct EngineVertex {
    float x, y, z;   // screen pixels, z in 0..1
    uint32_t colour; // ARGB
    float tu, tv;    // stage 0
    float tu2, tv2;  // stage 1
};

struct EngineTriangle {
    EngineVertex v[3];
    EngineTexture texture;
    int blend;
};

// Vertices in the order top-left, top-right, bottom-right, bottom-left.
struct EngineQuad {
    EngineVertex v[4];
    EngineTexture texture;
    int blend;
    EngineTexture texture2; // null: single layer
    uint32_t unused;        // carried for callers, never read by the engine
    float offsetX2, offsetY2;
    float scaleX2, scaleY2;
};

// Blend mode bits; the explicit factors apply only with EngineBlendExplicit.
enum : int {
    EngineBlendColourAdd = 0x1, // clear: texture x vertex colour
    EngineBlendAlpha = 0x2,     // clear: additive
    EngineBlendDepthWrite = 0x4,
    EngineBlendExplicit = 0x8,
    EngineBlendSrcZero = 0x10,
    EngineBlendSrcOne = 0x20,
    EngineBlendSrcColour = 0x40,
    EngineBlendSrcInvColour = 0x80,
    EngineBlendSrcAlpha = 0x100,
    EngineBlendSrcInvAlpha = 0x200,
    EngineBlendSrcDestAlpha = 0x400,
    EngineBlendSrcInvDestAlpha = 0x800,
    EngineBlendSrcDestColour = 0x1000,
    EngineBlendSrcInvDestColour = 0x2000,
    EngineBlendDestZero = 0x4000,
    EngineBlendDestOne = 0x8000,
    EngineBlendDestSrcColour = 0x10000,
    EngineBlendDestInvSrcColour = 0x20000,
    EngineBlendDestSrcAlpha = 0x40000,
    EngineBlendDestInvSrcAlpha = 0x80000,
    EngineBlendDestDestAlpha = 0x100000,
    EngineBlendDestInvDestAlpha = 0x200000,
    EngineBlendDestDestColour = 0x400000,
    EngineBlendDestInvDestColour = 0x800000,
    EngineBlendDefault = EngineBlendAlpha,
};

// Primitive kinds of Gfx_BeginBatch: vertices per primitive.
enum : int { EnginePrimLines = 2, EnginePrimTriangles = 3, EnginePrimQuads = 4 };

// The record Input_PopEvent copies out (7 x 32 bits).
struct EngineEvent {
    int type;
    int key; // virtual-key code, or mouse button code 1, 2, 4
    int flags;
    int chr;
    int wheel;
    float x, y;
};

enum : int {
    EngineEventKeyDown = 1,
    EngineEventKeyUp = 2,
    EngineEventButtonDown = 3,
    EngineEventButtonUp = 4,
    EngineEventMouseMove = 5,
    EngineEventWheel = 6,
};

enum : int {
    EngineFlagShift = 0x1,
    EngineFlagCtrl = 0x2,
    EngineFlagAlt = 0x4,
    EngineFlagCapsLock = 0x8,
    EngineFlagScrollLock = 0x10,
    EngineFlagNumLock = 0x20,
    EngineFlagRepeat = 0x40,
};

// State identifiers; their values are part of the interface.
enum EngineFlagState {
    Windowed = 1,
    DepthBuffer = 2,
    LinearFiltering = 3,
    SoundEnabled = 4,
    RunUnfocused = 5,
    HideCursor = 6,
    ClampTextures = 51,
    FramePacing = 52,
};

enum EngineCallbackState {
    FrameCallback = 8,
    RenderCallback = 9,
    FocusLostCallback = 10,
    FocusGainedCallback = 11,
    DeviceRestoredCallback = 12,
    CloseRequestCallback = 13,
    ModeSwitchedCallback = 14,
    ModeSwitchCallback = 53,
};

enum EngineWindowState {
    WindowHandle = 15,
    ParentWindow = 16,
};

enum EngineNumberState {
    ScreenWidth = 17,
    ScreenHeight = 18,
    ScreenDepth = 19,
    SampleRate = 20,
    EffectVolume = 21,
    MusicVolume = 22,
    StreamVolume = 23,
    FrameRate = 24,
    PowerStatus = 25,
};

enum EngineTextState {
    IconResource = 26,
    WindowTitle = 27,
    IniFile = 28,
    LogFile = 29,
    AppDirectory = 30,
};

class Engine {
public:
    // 0-7
    virtual void System_Release() = 0;
    virtual bool System_Initiate() = 0;
    virtual void System_Shutdown() = 0;
    virtual bool System_Start() = 0;
    virtual const char* System_GetLastError() = 0;
    virtual void System_WriteLog(const char* format, ...) = 0;
    virtual bool System_OpenDocument(const char* path) = 0;
    virtual void System_SaveScreenshot(const char* path) = 0;

    // 8-17: the state table
    virtual void System_SetFlag(EngineFlagState state, bool value) = 0;
    virtual void System_SetCallback(EngineCallbackState state, EngineCallback value) = 0;
    virtual void System_SetParentWindow(EngineWindowState state, EngineWindow value) = 0;
    virtual void System_SetNumber(EngineNumberState state, int value) = 0;
    virtual void System_SetText(EngineTextState state, const char* value) = 0;
    virtual bool System_GetFlag(EngineFlagState state) = 0;
    virtual EngineCallback System_GetCallback(EngineCallbackState state) = 0;
    virtual EngineWindow System_GetWindow(EngineWindowState state) = 0;
    virtual int System_GetNumber(EngineNumberState state) = 0;
    virtual const char* System_GetText(EngineTextState state) = 0;

    // 18-25: files and packs. Blocks from Data_LoadFile go back through
    // Data_FreeFile; returned names live until the next call of the same kind.
    virtual void* Data_LoadFile(const char* name, uint32_t* size) = 0;
    virtual void Data_FreeFile(void* block) = 0;
    virtual bool Data_AddArchive(const char* name, const char* password) = 0;
    virtual void Data_RemoveArchive(const char* name) = 0;
    virtual void Data_RemoveAllArchives() = 0;
    virtual const char* Data_ResolvePath(const char* name) = 0;
    virtual const char* Data_FindFiles(const char* mask) = 0;
    virtual const char* Data_FindFolders(const char* mask) = 0;

    // 26-31: ini settings
    virtual void Settings_WriteInt(const char* section, const char* key, int value) = 0;
    virtual int Settings_ReadInt(const char* section, const char* key, int fallback) = 0;
    virtual void Settings_WriteFloat(const char* section, const char* key, float value) = 0;
    virtual float Settings_ReadFloat(const char* section, const char* key, float fallback) = 0;
    virtual void Settings_WriteString(const char* section, const char* key, const char* value) = 0;
    virtual const char* Settings_ReadString(const char* section, const char* key,
                                            const char* fallback) = 0;

    // 32-37: random numbers and the frame clock
    virtual void Rand_SetSeed(int seed) = 0;
    virtual int Rand_Integer(int min, int max) = 0;
    virtual float Rand_Real(float min, float max) = 0;
    virtual float Clock_GetTime() = 0;
    virtual float Clock_GetFrameTime() = 0;
    virtual int Clock_GetFrameRate() = 0;

    // 38-71: sound. `data` is a file name when `size` is 0, else a memory block.
    virtual EngineSample Sample_Load(const void* data, uint32_t size) = 0;
    virtual void Sample_Free(EngineSample sample) = 0;
    virtual EngineChannel Sample_Play(EngineSample sample) = 0;
    virtual EngineChannel Sample_PlayAdjusted(EngineSample sample, int volume, int pan, float pitch,
                                              bool loop) = 0;
    virtual EngineMusic Tracker_Load(const void* data, uint32_t size) = 0;
    virtual void Tracker_Free(EngineMusic music) = 0;
    virtual EngineChannel Tracker_Play(EngineMusic music, bool loop, int volume, int order,
                                       int row) = 0;
    virtual void Tracker_SetAmplify(EngineMusic music, int amplify) = 0;
    virtual int Tracker_GetAmplify(EngineMusic music) = 0;
    virtual int Tracker_GetOrderCount(EngineMusic music) = 0;
    virtual void Tracker_SetPosition(EngineMusic music, int order, int row) = 0;
    virtual bool Tracker_GetPosition(EngineMusic music, int* order, int* row) = 0;
    virtual void Tracker_SetInstrumentVolume(EngineMusic music, int instrument, int volume) = 0;
    virtual int Tracker_GetInstrumentVolume(EngineMusic music, int instrument) = 0;
    virtual void Tracker_SetChannelVolume(EngineMusic music, int channel, int volume) = 0;
    virtual int Tracker_GetChannelVolume(EngineMusic music, int channel) = 0;
    virtual EngineStream Stream_Open(const void* data, uint32_t size) = 0;
    virtual void Stream_Close(EngineStream stream) = 0;
    virtual EngineChannel Stream_Start(EngineStream stream, bool loop, int volume) = 0;
    virtual void Voice_SetPan(EngineChannel channel, int pan) = 0;
    virtual void Voice_SetVolume(EngineChannel channel, int volume) = 0;
    virtual void Voice_SetPitch(EngineChannel channel, float pitch) = 0;
    virtual void Voice_Pause(EngineChannel channel) = 0;
    virtual void Voice_Resume(EngineChannel channel) = 0;
    virtual void Voice_Stop(EngineChannel channel) = 0;
    virtual void Voice_PauseAll() = 0;
    virtual void Voice_ResumeAll() = 0;
    virtual void Voice_StopAll() = 0;
    virtual bool Voice_IsPlaying(EngineChannel channel) = 0;
    virtual float Voice_GetLength(EngineChannel channel) = 0;
    virtual float Voice_GetPosition(EngineChannel channel) = 0;
    virtual void Voice_SetPosition(EngineChannel channel, float seconds) = 0;
    virtual void Voice_SlideTo(EngineChannel channel, float time, int volume, int pan,
                               float pitch) = 0;
    virtual bool Voice_IsSliding(EngineChannel channel) = 0;

    // 72-83: input
    virtual void Input_GetMousePosition(float* x, float* y) = 0;
    virtual void Input_SetMousePosition(float x, float y) = 0;
    virtual int Input_GetWheel() = 0;
    virtual bool Input_IsMouseInside() = 0;
    virtual bool Input_WasPressed(int key) = 0;
    virtual bool Input_WasReleased(int key) = 0;
    virtual bool Input_IsKeyHeld(int key) = 0;
    virtual const char* Input_KeyName(int key) = 0;
    virtual int Input_LastKey() = 0;
    virtual int Input_LastChar() = 0;
    virtual bool Input_PopEvent(EngineEvent* event) = 0;
    virtual void Input_SetCursor(EngineCursor cursor) = 0;

    // 84-104: graphics
    virtual bool Gfx_BeginScene(EngineTarget* target) = 0;
    virtual void Gfx_EndScene() = 0;
    virtual void Gfx_Clear(uint32_t colour) = 0;
    virtual void Gfx_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour, float z) = 0;
    virtual void Gfx_DrawTriangle(const EngineTriangle* triangle) = 0;
    virtual void Gfx_DrawQuad(const EngineQuad* quad, int unused) = 0;
    virtual void Gfx_DrawQuadLayered(const EngineQuad* quad) = 0;
    // Vertices go straight into the locked buffer, at most `maxCount` primitives,
    // then Gfx_EndBatch says how many were written.
    virtual EngineVertex* Gfx_BeginBatch(int type, EngineTexture texture, EngineTexture texture2,
                                         int blend, int* maxCount) = 0;
    virtual void Gfx_EndBatch(int count) = 0;
    virtual void Gfx_SetClipRect(int x, int y, int w, int h) = 0;
    virtual void Gfx_SetViewTransform(float x, float y, float dx, float dy, float rotation,
                                      float hscale, float vscale) = 0;
    virtual EngineTarget* Gfx_CreateTarget(int width, int height, bool withDepth) = 0;
    virtual void Gfx_FreeTarget(EngineTarget* target) = 0;
    virtual EngineTexture Gfx_GetTargetTexture(EngineTarget* target) = 0;
    virtual EngineTexture Gfx_CreateTexture(int width, int height) = 0;
    // `data` is a file name when `size` is 0, else a memory block.
    virtual EngineTexture Gfx_LoadTexture(const void* data, uint32_t size, bool mipmaps) = 0;
    virtual void Gfx_FreeTexture(EngineTexture texture) = 0;
    virtual int Gfx_TextureWidth(EngineTexture texture, bool sourceSize) = 0;
    virtual int Gfx_TextureHeight(EngineTexture texture, bool sourceSize) = 0;
    // Pixels are 32-bit ARGB; valid until Gfx_UnlockTexture.
    virtual uint32_t* Gfx_LockTexture(EngineTexture texture, bool readOnly, int left, int top,
                                      int width, int height) = 0;
    virtual void Gfx_UnlockTexture(EngineTexture texture) = 0;

protected:
    // Lifetime goes through System_Release, never through delete.
    ~Engine() = default;
};

// The one engine instance, created on first use; each call adds a reference
// that the caller gives back with System_Release.
Engine* AcquireEngine();

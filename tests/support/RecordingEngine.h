#pragma once
// A stand-in Engine for native tests of the layers above the engine: every
// operation is recorded as one line "Name(arguments)", state setters are kept
// and read back, textures are fake handles with sizes, and input events come
// from a queue the test fills. No window, device or sound behind it.
// Natively, AcquireEngine() hands out the engine made current here (counting
// acquires); Windows builds link the real engine's AcquireEngine instead.

#include "engine/Engine.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

class RecordingEngine : public Engine {
public:
    // What the test scripts and reads.
    std::vector<std::string> calls;
    std::deque<EngineEvent> events;
    std::map<int, bool> flags;
    std::map<int, int> numbers;
    std::map<int, std::string> texts;
    std::map<int, EngineCallback> callbacks;
    float time = 0.0f, frameTime = 0.0f;
    int frameRate = 0;
    int releases = 0;
    bool sceneResult = true;
    struct FakeTexture {
        int width, height;
    };
    std::map<EngineTexture, FakeTexture> textureSizes;
    std::vector<EngineQuad> quads;            // every quad drawn, in order
    std::map<std::string, std::string> files; // what Data_LoadFile finds
    int acquires = 0;

    // The engine AcquireEngine() returns natively (null: none).
    static void makeCurrent(RecordingEngine* engine);
    static RecordingEngine* current();

    // The recorded lines since the last take.
    std::vector<std::string> takeCalls();

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

private:
    void record(const char* format, ...);
    EngineTexture newTexture(int width, int height);
    std::string textResult;
    std::vector<EngineVertex> batch = std::vector<EngineVertex>(4000);
    std::map<EngineTexture, std::vector<uint32_t>> pixels;
    uintptr_t nextHandle = 0x1000;
};

} // namespace testsupport

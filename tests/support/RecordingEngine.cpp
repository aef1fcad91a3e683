#include "tests/support/RecordingEngine.h"

#include "engine/KeyNames.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testsupport {

namespace {

const char* text(const char* value) {
    return value != nullptr ? value : "null";
}

unsigned long long handle(const void* value) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value));
}

} // namespace

void RecordingEngine::record(const char* format, ...) {
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line, sizeof(line), format, arguments);
    va_end(arguments);
    calls.push_back(line);
}

namespace {
RecordingEngine* currentEngine = nullptr;
}

void RecordingEngine::makeCurrent(RecordingEngine* engine) {
    currentEngine = engine;
}
RecordingEngine* RecordingEngine::current() {
    return currentEngine;
}

std::vector<std::string> RecordingEngine::takeCalls() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

EngineTexture RecordingEngine::newTexture(int width, int height) {
    EngineTexture texture = reinterpret_cast<EngineTexture>(nextHandle);
    nextHandle += 0x10;
    textureSizes[texture] = {width, height};
    pixels[texture].assign(static_cast<size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0),
                           0);
    return texture;
}

void RecordingEngine::System_Release() {
    ++releases;
    record("System_Release()");
}
bool RecordingEngine::System_Initiate() {
    record("System_Initiate()");
    return true;
}
void RecordingEngine::System_Shutdown() {
    record("System_Shutdown()");
}
bool RecordingEngine::System_Start() {
    record("System_Start()");
    return true;
}
const char* RecordingEngine::System_GetLastError() {
    return "";
}
void RecordingEngine::System_WriteLog(const char* format, ...) {
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line, sizeof(line), format, arguments);
    va_end(arguments);
    record("System_WriteLog(%s)", line);
}
bool RecordingEngine::System_OpenDocument(const char* path) {
    record("System_OpenDocument(%s)", text(path));
    return true;
}
void RecordingEngine::System_SaveScreenshot(const char* path) {
    record("System_SaveScreenshot(%s)", text(path));
}
void RecordingEngine::System_SetFlag(EngineFlagState state, bool value) {
    record("System_SetFlag(%d, %d)", state, value);
    flags[state] = value;
}
void RecordingEngine::System_SetCallback(EngineCallbackState state, EngineCallback value) {
    record("System_SetCallback(%d)", state);
    callbacks[state] = value;
}
void RecordingEngine::System_SetParentWindow(EngineWindowState state, EngineWindow value) {
    record("System_SetParentWindow(%d, 0x%llx)", state, handle(value));
}
void RecordingEngine::System_SetNumber(EngineNumberState state, int value) {
    record("System_SetNumber(%d, %d)", state, value);
    numbers[state] = value;
}
void RecordingEngine::System_SetText(EngineTextState state, const char* value) {
    record("System_SetText(%d, %s)", state, text(value));
    texts[state] = value != nullptr ? value : "";
}
bool RecordingEngine::System_GetFlag(EngineFlagState state) {
    return flags[state];
}
EngineCallback RecordingEngine::System_GetCallback(EngineCallbackState state) {
    return callbacks[state];
}
EngineWindow RecordingEngine::System_GetWindow(EngineWindowState) {
    return nullptr;
}
int RecordingEngine::System_GetNumber(EngineNumberState state) {
    return numbers[state];
}
const char* RecordingEngine::System_GetText(EngineTextState state) {
    auto found = texts.find(state);
    return found != texts.end() ? found->second.c_str() : nullptr;
}

void* RecordingEngine::Data_LoadFile(const char* name, uint32_t* size) {
    record("Data_LoadFile(%s)", text(name));
    if (size != nullptr) {
        *size = 0;
    }
    auto found = files.find(text(name));
    if (found == files.end()) {
        return nullptr;
    }
    void* block = malloc(found->second.size() + 1);
    memcpy(block, found->second.data(), found->second.size());
    if (size != nullptr) {
        *size = uint32_t(found->second.size());
    }
    return block;
}
void RecordingEngine::Data_FreeFile(void* block) {
    free(block);
}
bool RecordingEngine::Data_AddArchive(const char* name, const char* password) {
    record("Data_AddArchive(%s, %s)", text(name), text(password));
    return true;
}
void RecordingEngine::Data_RemoveArchive(const char* name) {
    record("Data_RemoveArchive(%s)", text(name));
}
void RecordingEngine::Data_RemoveAllArchives() {
    record("Data_RemoveAllArchives()");
}
const char* RecordingEngine::Data_ResolvePath(const char* name) {
    textResult = text(name);
    return textResult.c_str();
}
const char* RecordingEngine::Data_FindFiles(const char*) {
    return nullptr;
}
const char* RecordingEngine::Data_FindFolders(const char*) {
    return nullptr;
}

void RecordingEngine::Settings_WriteInt(const char* section, const char* key, int value) {
    record("Settings_WriteInt(%s, %s, %d)", text(section), text(key), value);
}
int RecordingEngine::Settings_ReadInt(const char*, const char*, int fallback) {
    return fallback;
}
void RecordingEngine::Settings_WriteFloat(const char* section, const char* key, float value) {
    record("Settings_WriteFloat(%s, %s, %g)", text(section), text(key), value);
}
float RecordingEngine::Settings_ReadFloat(const char*, const char*, float fallback) {
    return fallback;
}
void RecordingEngine::Settings_WriteString(const char* section, const char* key,
                                           const char* value) {
    record("Settings_WriteString(%s, %s, %s)", text(section), text(key), text(value));
}
const char* RecordingEngine::Settings_ReadString(const char*, const char*, const char* fallback) {
    textResult = text(fallback);
    return textResult.c_str();
}

void RecordingEngine::Rand_SetSeed(int seed) {
    record("Rand_SetSeed(%d)", seed);
}
int RecordingEngine::Rand_Integer(int min, int) {
    return min;
}
float RecordingEngine::Rand_Real(float min, float) {
    return min;
}
float RecordingEngine::Clock_GetTime() {
    return time;
}
float RecordingEngine::Clock_GetFrameTime() {
    return frameTime;
}
int RecordingEngine::Clock_GetFrameRate() {
    return frameRate;
}

// Sound: recorded, answered as a machine without sound would.
EngineSample RecordingEngine::Sample_Load(const void*, uint32_t size) {
    record("Sample_Load(%u)", size);
    return 0;
}
void RecordingEngine::Sample_Free(EngineSample sample) {
    record("Sample_Free(%u)", sample);
}
EngineChannel RecordingEngine::Sample_Play(EngineSample sample) {
    record("Sample_Play(%u)", sample);
    return 0;
}
EngineChannel RecordingEngine::Sample_PlayAdjusted(EngineSample sample, int volume, int pan,
                                                   float pitch, bool loop) {
    record("Sample_PlayAdjusted(%u, %d, %d, %g, %d)", sample, volume, pan, pitch, loop);
    return 0;
}
EngineMusic RecordingEngine::Tracker_Load(const void*, uint32_t size) {
    record("Tracker_Load(%u)", size);
    return 0;
}
void RecordingEngine::Tracker_Free(EngineMusic music) {
    record("Tracker_Free(%u)", music);
}
EngineChannel RecordingEngine::Tracker_Play(EngineMusic music, bool loop, int volume, int order,
                                            int row) {
    record("Tracker_Play(%u, %d, %d, %d, %d)", music, loop, volume, order, row);
    return 0;
}
void RecordingEngine::Tracker_SetAmplify(EngineMusic music, int amplify) {
    record("Tracker_SetAmplify(%u, %d)", music, amplify);
}
int RecordingEngine::Tracker_GetAmplify(EngineMusic) {
    return -1;
}
int RecordingEngine::Tracker_GetOrderCount(EngineMusic) {
    return -1;
}
void RecordingEngine::Tracker_SetPosition(EngineMusic music, int order, int row) {
    record("Tracker_SetPosition(%u, %d, %d)", music, order, row);
}
bool RecordingEngine::Tracker_GetPosition(EngineMusic, int*, int*) {
    return false;
}
void RecordingEngine::Tracker_SetInstrumentVolume(EngineMusic music, int instrument, int volume) {
    record("Tracker_SetInstrumentVolume(%u, %d, %d)", music, instrument, volume);
}
int RecordingEngine::Tracker_GetInstrumentVolume(EngineMusic, int) {
    return -1;
}
void RecordingEngine::Tracker_SetChannelVolume(EngineMusic music, int channel, int volume) {
    record("Tracker_SetChannelVolume(%u, %d, %d)", music, channel, volume);
}
int RecordingEngine::Tracker_GetChannelVolume(EngineMusic, int) {
    return -1;
}
EngineStream RecordingEngine::Stream_Open(const void*, uint32_t size) {
    record("Stream_Open(%u)", size);
    return 0;
}
void RecordingEngine::Stream_Close(EngineStream stream) {
    record("Stream_Close(%u)", stream);
}
EngineChannel RecordingEngine::Stream_Start(EngineStream stream, bool loop, int volume) {
    record("Stream_Start(%u, %d, %d)", stream, loop, volume);
    return 0;
}
void RecordingEngine::Voice_SetPan(EngineChannel channel, int pan) {
    record("Voice_SetPan(%u, %d)", channel, pan);
}
void RecordingEngine::Voice_SetVolume(EngineChannel channel, int volume) {
    record("Voice_SetVolume(%u, %d)", channel, volume);
}
void RecordingEngine::Voice_SetPitch(EngineChannel channel, float pitch) {
    record("Voice_SetPitch(%u, %g)", channel, pitch);
}
void RecordingEngine::Voice_Pause(EngineChannel channel) {
    record("Voice_Pause(%u)", channel);
}
void RecordingEngine::Voice_Resume(EngineChannel channel) {
    record("Voice_Resume(%u)", channel);
}
void RecordingEngine::Voice_Stop(EngineChannel channel) {
    record("Voice_Stop(%u)", channel);
}
void RecordingEngine::Voice_PauseAll() {
    record("Voice_PauseAll()");
}
void RecordingEngine::Voice_ResumeAll() {
    record("Voice_ResumeAll()");
}
void RecordingEngine::Voice_StopAll() {
    record("Voice_StopAll()");
}
bool RecordingEngine::Voice_IsPlaying(EngineChannel) {
    return false;
}
float RecordingEngine::Voice_GetLength(EngineChannel) {
    return -1.0f;
}
float RecordingEngine::Voice_GetPosition(EngineChannel) {
    return -1.0f;
}
void RecordingEngine::Voice_SetPosition(EngineChannel channel, float seconds) {
    record("Voice_SetPosition(%u, %g)", channel, seconds);
}
void RecordingEngine::Voice_SlideTo(EngineChannel channel, float slideTime, int volume, int pan,
                                    float pitch) {
    record("Voice_SlideTo(%u, %g, %d, %d, %g)", channel, slideTime, volume, pan, pitch);
}
bool RecordingEngine::Voice_IsSliding(EngineChannel) {
    return false;
}

void RecordingEngine::Input_GetMousePosition(float* x, float* y) {
    *x = 0.0f;
    *y = 0.0f;
}
void RecordingEngine::Input_SetMousePosition(float x, float y) {
    record("Input_SetMousePosition(%g, %g)", x, y);
}
int RecordingEngine::Input_GetWheel() {
    return 0;
}
bool RecordingEngine::Input_IsMouseInside() {
    return true;
}
bool RecordingEngine::Input_WasPressed(int) {
    return false;
}
bool RecordingEngine::Input_WasReleased(int) {
    return false;
}
bool RecordingEngine::Input_IsKeyHeld(int) {
    return false;
}
const char* RecordingEngine::Input_KeyName(int key) {
    return engineKeyName(key);
}
int RecordingEngine::Input_LastKey() {
    return 0;
}
int RecordingEngine::Input_LastChar() {
    return 0;
}
bool RecordingEngine::Input_PopEvent(EngineEvent* event) {
    if (events.empty()) {
        return false;
    }
    *event = events.front();
    events.pop_front();
    return true;
}
void RecordingEngine::Input_SetCursor(EngineCursor cursor) {
    record("Input_SetCursor(0x%llx)", handle(cursor));
}

bool RecordingEngine::Gfx_BeginScene(EngineTarget* target) {
    record("Gfx_BeginScene(0x%llx)", handle(target));
    return sceneResult;
}
void RecordingEngine::Gfx_EndScene() {
    record("Gfx_EndScene()");
}
void RecordingEngine::Gfx_Clear(uint32_t colour) {
    record("Gfx_Clear(0x%08x)", colour);
}
void RecordingEngine::Gfx_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour,
                                   float z) {
    record("Gfx_DrawLine(%g, %g, %g, %g, 0x%08x, %g)", x1, y1, x2, y2, colour, z);
}
void RecordingEngine::Gfx_DrawTriangle(const EngineTriangle* triangle) {
    record("Gfx_DrawTriangle(0x%llx, %d)", handle(triangle->texture), triangle->blend);
}
void RecordingEngine::Gfx_DrawQuad(const EngineQuad* quad, int) {
    quads.push_back(*quad);
    record("Gfx_DrawQuad(0x%llx, %d, %g, %g, %g, %g)", handle(quad->texture), quad->blend,
           quad->v[0].x, quad->v[0].y, quad->v[2].x, quad->v[2].y);
}
void RecordingEngine::Gfx_DrawQuadLayered(const EngineQuad* quad) {
    quads.push_back(*quad);
    record("Gfx_DrawQuadLayered(0x%llx, 0x%llx, %d)", handle(quad->texture), handle(quad->texture2),
           quad->blend);
}
EngineVertex* RecordingEngine::Gfx_BeginBatch(int type, EngineTexture texture,
                                              EngineTexture texture2, int blend, int* maxCount) {
    record("Gfx_BeginBatch(%d, 0x%llx, 0x%llx, %d)", type, handle(texture), handle(texture2),
           blend);
    if (maxCount != nullptr) {
        *maxCount = type > 0 ? 4000 / type : 0;
    }
    return batch.data();
}
void RecordingEngine::Gfx_EndBatch(int count) {
    record("Gfx_EndBatch(%d)", count);
}
void RecordingEngine::Gfx_SetClipRect(int x, int y, int w, int h) {
    record("Gfx_SetClipRect(%d, %d, %d, %d)", x, y, w, h);
}
void RecordingEngine::Gfx_SetViewTransform(float x, float y, float dx, float dy, float rotation,
                                           float hscale, float vscale) {
    record("Gfx_SetViewTransform(%g, %g, %g, %g, %g, %g, %g)", x, y, dx, dy, rotation, hscale,
           vscale);
}
EngineTarget* RecordingEngine::Gfx_CreateTarget(int width, int height, bool withDepth) {
    record("Gfx_CreateTarget(%d, %d, %d)", width, height, withDepth);
    return nullptr;
}
void RecordingEngine::Gfx_FreeTarget(EngineTarget* target) {
    record("Gfx_FreeTarget(0x%llx)", handle(target));
}
EngineTexture RecordingEngine::Gfx_GetTargetTexture(EngineTarget*) {
    return nullptr;
}
EngineTexture RecordingEngine::Gfx_CreateTexture(int width, int height) {
    EngineTexture texture = newTexture(width, height);
    record("Gfx_CreateTexture(%d, %d) = 0x%llx", width, height, handle(texture));
    return texture;
}
EngineTexture RecordingEngine::Gfx_LoadTexture(const void*, uint32_t size, bool mipmaps) {
    record("Gfx_LoadTexture(%u, %d)", size, mipmaps);
    return nullptr;
}
void RecordingEngine::Gfx_FreeTexture(EngineTexture texture) {
    record("Gfx_FreeTexture(0x%llx)", handle(texture));
    textureSizes.erase(texture);
    pixels.erase(texture);
}
int RecordingEngine::Gfx_TextureWidth(EngineTexture texture, bool) {
    auto found = textureSizes.find(texture);
    return found != textureSizes.end() ? found->second.width : 0;
}
int RecordingEngine::Gfx_TextureHeight(EngineTexture texture, bool) {
    auto found = textureSizes.find(texture);
    return found != textureSizes.end() ? found->second.height : 0;
}
uint32_t* RecordingEngine::Gfx_LockTexture(EngineTexture texture, bool readOnly, int left, int top,
                                           int width, int height) {
    record("Gfx_LockTexture(0x%llx, %d, %d, %d, %d, %d)", handle(texture), readOnly, left, top,
           width, height);
    auto found = pixels.find(texture);
    if (found == pixels.end() || found->second.empty()) {
        return nullptr;
    }
    const int rowLength = textureSizes[texture].width;
    return found->second.data() + (width != 0 && height != 0 ? top * rowLength + left : 0);
}
void RecordingEngine::Gfx_UnlockTexture(EngineTexture texture) {
    record("Gfx_UnlockTexture(0x%llx)", handle(texture));
}

} // namespace testsupport

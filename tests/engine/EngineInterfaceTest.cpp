// The interface compiles without system headers, and its operations keep their
// fixed slots: code built against one order must call the same operations.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

// Itanium C++ ABI (GCC, also for mingw): a pointer to a virtual member holds
// 1 + the byte offset of its vtable slot.
template <class Member> long slotOf(Member member) {
    struct Representation {
        uintptr_t pointer;
        ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(member) == sizeof(representation), "unexpected member pointer size");
    memcpy(&representation, &member, sizeof(representation));
    return static_cast<long>((representation.pointer - 1) / sizeof(void*));
}

#define SLOT(op) slotOf(&Engine::op)

TEST(EngineInterface, OperationsKeepTheirFixedOrder) {
    const long slots[] = {
        SLOT(System_Release),
        SLOT(System_Initiate),
        SLOT(System_Shutdown),
        SLOT(System_Start),
        SLOT(System_GetLastError),
        SLOT(System_WriteLog),
        SLOT(System_OpenDocument),
        SLOT(System_SaveScreenshot),
        SLOT(System_SetFlag),
        SLOT(System_SetCallback),
        SLOT(System_SetParentWindow),
        SLOT(System_SetNumber),
        SLOT(System_SetText),
        SLOT(System_GetFlag),
        SLOT(System_GetCallback),
        SLOT(System_GetWindow),
        SLOT(System_GetNumber),
        SLOT(System_GetText),
        SLOT(Data_LoadFile),
        SLOT(Data_FreeFile),
        SLOT(Data_AddArchive),
        SLOT(Data_RemoveArchive),
        SLOT(Data_RemoveAllArchives),
        SLOT(Data_ResolvePath),
        SLOT(Data_FindFiles),
        SLOT(Data_FindFolders),
        SLOT(Settings_WriteInt),
        SLOT(Settings_ReadInt),
        SLOT(Settings_WriteFloat),
        SLOT(Settings_ReadFloat),
        SLOT(Settings_WriteString),
        SLOT(Settings_ReadString),
        SLOT(Rand_SetSeed),
        SLOT(Rand_Integer),
        SLOT(Rand_Real),
        SLOT(Clock_GetTime),
        SLOT(Clock_GetFrameTime),
        SLOT(Clock_GetFrameRate),
        SLOT(Sample_Load),
        SLOT(Sample_Free),
        SLOT(Sample_Play),
        SLOT(Sample_PlayAdjusted),
        SLOT(Tracker_Load),
        SLOT(Tracker_Free),
        SLOT(Tracker_Play),
        SLOT(Tracker_SetAmplify),
        SLOT(Tracker_GetAmplify),
        SLOT(Tracker_GetOrderCount),
        SLOT(Tracker_SetPosition),
        SLOT(Tracker_GetPosition),
        SLOT(Tracker_SetInstrumentVolume),
        SLOT(Tracker_GetInstrumentVolume),
        SLOT(Tracker_SetChannelVolume),
        SLOT(Tracker_GetChannelVolume),
        SLOT(Stream_Open),
        SLOT(Stream_Close),
        SLOT(Stream_Start),
        SLOT(Voice_SetPan),
        SLOT(Voice_SetVolume),
        SLOT(Voice_SetPitch),
        SLOT(Voice_Pause),
        SLOT(Voice_Resume),
        SLOT(Voice_Stop),
        SLOT(Voice_PauseAll),
        SLOT(Voice_ResumeAll),
        SLOT(Voice_StopAll),
        SLOT(Voice_IsPlaying),
        SLOT(Voice_GetLength),
        SLOT(Voice_GetPosition),
        SLOT(Voice_SetPosition),
        SLOT(Voice_SlideTo),
        SLOT(Voice_IsSliding),
        SLOT(Input_GetMousePosition),
        SLOT(Input_SetMousePosition),
        SLOT(Input_GetWheel),
        SLOT(Input_IsMouseInside),
        SLOT(Input_WasPressed),
        SLOT(Input_WasReleased),
        SLOT(Input_IsKeyHeld),
        SLOT(Input_KeyName),
        SLOT(Input_LastKey),
        SLOT(Input_LastChar),
        SLOT(Input_PopEvent),
        SLOT(Input_SetCursor),
        SLOT(Gfx_BeginScene),
        SLOT(Gfx_EndScene),
        SLOT(Gfx_Clear),
        SLOT(Gfx_DrawLine),
        SLOT(Gfx_DrawTriangle),
        SLOT(Gfx_DrawQuad),
        SLOT(Gfx_DrawQuadLayered),
        SLOT(Gfx_BeginBatch),
        SLOT(Gfx_EndBatch),
        SLOT(Gfx_SetClipRect),
        SLOT(Gfx_SetViewTransform),
        SLOT(Gfx_CreateTarget),
        SLOT(Gfx_FreeTarget),
        SLOT(Gfx_GetTargetTexture),
        SLOT(Gfx_CreateTexture),
        SLOT(Gfx_LoadTexture),
        SLOT(Gfx_FreeTexture),
        SLOT(Gfx_TextureWidth),
        SLOT(Gfx_TextureHeight),
        SLOT(Gfx_LockTexture),
        SLOT(Gfx_UnlockTexture),
    };
    ASSERT_EQ(105u, sizeof(slots) / sizeof(slots[0]));
    for (long i = 0; i < 105; ++i) {
        EXPECT_EQ(i, slots[i]) << "operation listed at position " << i;
    }
}

TEST(EngineInterface, RecordsHaveTheirFixedSizes) {
    EXPECT_EQ(32u, sizeof(EngineVertex));
    EXPECT_EQ(28u, sizeof(EngineEvent));
}

TEST(EngineInterface, StateIdentifiersKeepTheirValues) {
    struct Case {
        int id;
        int expected;
    };
    const Case cases[] = {
        {Windowed, 1},
        {DepthBuffer, 2},
        {LinearFiltering, 3},
        {SoundEnabled, 4},
        {RunUnfocused, 5},
        {HideCursor, 6},
        {ClampTextures, 51},
        {FramePacing, 52},
        {FrameCallback, 8},
        {RenderCallback, 9},
        {FocusLostCallback, 10},
        {FocusGainedCallback, 11},
        {DeviceRestoredCallback, 12},
        {CloseRequestCallback, 13},
        {ModeSwitchedCallback, 14},
        {ModeSwitchCallback, 53},
        {WindowHandle, 15},
        {ParentWindow, 16},
        {ScreenWidth, 17},
        {ScreenHeight, 18},
        {ScreenDepth, 19},
        {SampleRate, 20},
        {EffectVolume, 21},
        {MusicVolume, 22},
        {StreamVolume, 23},
        {FrameRate, 24},
        {PowerStatus, 25},
        {IconResource, 26},
        {WindowTitle, 27},
        {IniFile, 28},
        {LogFile, 29},
        {AppDirectory, 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.id);
    }
}

} // namespace

#include "tests/support/RecordingEngine.h"

namespace {

// Code above the engine sees only the interface; a recording engine stands in
// for it in native tests.
void drawFrame(Engine& engine, EngineTexture texture) {
    if (!engine.Gfx_BeginScene(nullptr)) {
        return;
    }
    engine.Gfx_Clear(0xFF000000);
    EngineQuad quad = {};
    quad.texture = texture;
    quad.blend = EngineBlendDefault;
    quad.v[2].x = 8;
    quad.v[2].y = 4;
    engine.Gfx_DrawQuad(&quad, 0);
    engine.Gfx_EndScene();
}

TEST(RecordingEngine, RecordsCallsThroughTheInterface) {
    testsupport::RecordingEngine recording;
    Engine& engine = recording;
    engine.System_SetNumber(ScreenWidth, 640);
    EXPECT_EQ(640, engine.System_GetNumber(ScreenWidth));
    EngineTexture texture = engine.Gfx_CreateTexture(8, 4);
    EXPECT_EQ(8, engine.Gfx_TextureWidth(texture, false));
    uint32_t* pixels = engine.Gfx_LockTexture(texture, false, 1, 1, 2, 2);
    ASSERT_NE(nullptr, pixels);
    recording.takeCalls();
    drawFrame(engine, texture);
    const std::vector<std::string> expected = {"Gfx_BeginScene(0x0)", "Gfx_Clear(0xff000000)",
                                               "Gfx_DrawQuad(0x1000, 2, 0, 0, 8, 4)",
                                               "Gfx_EndScene()"};
    EXPECT_EQ(expected, recording.takeCalls());
    recording.events.push_back({EngineEventKeyDown, 13, 0, 13, 0, 1.0f, 2.0f});
    EngineEvent event;
    EXPECT_TRUE(engine.Input_PopEvent(&event));
    EXPECT_EQ(13, event.key);
    EXPECT_FALSE(engine.Input_PopEvent(&event));
}

} // namespace

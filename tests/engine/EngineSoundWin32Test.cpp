// The sound binding under Wine against the recording stand-in "bass.dll":
// start-up with its version check and silent mode, the global volumes, and
// the calls and arguments behind every sound operation.
#include "tests/support/EngineFixtureWin32.h"

#include "tests/engine/audio_standin/AudioStandInControl.h"
#include "tests/support/Files.h"

#include <cstdio>
#include <string>

namespace enginetest {
namespace {

// A wave file's first bytes: the stand-in takes it as a sample.
const std::string wave =
    std::string("RIFF") + std::string(4, '\x10') + "WAVEfmt " + std::string(48 - 16, '\0');

class EngineSoundTest : public EngineWin32Test {
protected:
    void SetUp() override {
        EngineWin32Test::SetUp();
        ASSERT_TRUE(standIn.load()) << "missing: " << standIn.missing();
        standIn.reset();
    }

    bool start() {
        engine->System_SetFlag(Windowed, true);
        engine->System_SetNumber(SampleRate, 22050);
        engine->System_SetNumber(MusicVolume, 70);
        const bool started = engine->System_Initiate();
        EXPECT_TRUE(started) << engine->System_GetLastError();
        return started;
    }

    std::string window() const {
        char text[32];
        snprintf(text, sizeof(text), "0x%llx",
                 static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(engine->window)));
        return text;
    }

    testsupport::AudioStandIn standIn;
};

using EngineSoundWin32 = EngineSoundTest;

std::string n(uint32_t value) {
    return std::to_string(value);
}

TEST_F(EngineSoundWin32, DisabledSoundLoadsNothingAndAnswersEmptyResults) {
    ASSERT_TRUE(initiate()); // sound off
    EXPECT_EQ(nullptr, engine->soundLibrary);
    EXPECT_EQ("", standIn.takeLog());
    EXPECT_EQ(0u, engine->Sample_Load(wave.data(), static_cast<uint32_t>(wave.size())));
    EXPECT_EQ(0u, engine->Stream_Open(wave.data(), static_cast<uint32_t>(wave.size())));
    EXPECT_EQ(0u, engine->Tracker_Load(wave.data(), static_cast<uint32_t>(wave.size())));
    EXPECT_EQ(0u, engine->Sample_Play(1));
    EXPECT_EQ(-1, engine->Tracker_GetAmplify(1));
    EXPECT_EQ(-1, engine->Tracker_GetOrderCount(1));
    EXPECT_EQ(-1, engine->Tracker_GetChannelVolume(1, 0));
    EXPECT_EQ(-1, engine->Tracker_GetInstrumentVolume(1, 0));
    int order = 5, row = 5;
    EXPECT_FALSE(engine->Tracker_GetPosition(1, &order, &row));
    EXPECT_FALSE(engine->Voice_IsPlaying(1));
    EXPECT_FALSE(engine->Voice_IsSliding(1));
    EXPECT_FLOAT_EQ(-1.0f, engine->Voice_GetLength(1));
    EXPECT_FLOAT_EQ(-1.0f, engine->Voice_GetPosition(1));
    engine->Voice_StopAll();
    EXPECT_EQ("", standIn.takeLog());
}

TEST_F(EngineSoundWin32, StartUpInitialisesTheDeviceAndTheGlobalVolumes) {
    ASSERT_TRUE(start());
    EXPECT_EQ("BASS_GetVersion() = 0x2030000\n"
              "BASS_Init(-1, 22050, 0x0, " +
                  window() +
                  ", null) = 1\n"
                  "BASS_GetDeviceDescription(1) = \"Stand-in output\"\n"
                  "BASS_SetConfig(0x4, 100) = 100\n"
                  "BASS_SetConfig(0x6, 70) = 70\n"
                  "BASS_SetConfig(0x5, 100) = 100\n",
              standIn.takeLog());
    EXPECT_FALSE(engine->silent);
    // Loaded: the sample rate is fixed, volumes apply at once.
    engine->System_SetNumber(SampleRate, 48000);
    EXPECT_EQ(22050, engine->System_GetNumber(SampleRate));
    engine->System_SetNumber(StreamVolume, 30);
    EXPECT_EQ("BASS_SetConfig(0x4, 100) = 100\n"
              "BASS_SetConfig(0x6, 70) = 70\n"
              "BASS_SetConfig(0x5, 30) = 30\n",
              standIn.takeLog());

    // Turning sound off stops and unloads the library.
    engine->System_SetFlag(SoundEnabled, false);
    EXPECT_EQ("BASS_Stop() = 1\nBASS_Free() = 1\n", standIn.takeLog());
    EXPECT_EQ(nullptr, engine->soundLibrary);
    engine->System_SetFlag(SoundEnabled, true);
    EXPECT_NE(nullptr, engine->soundLibrary);
    const std::vector<std::string> lines = logLines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Sound Device: Stand-in output"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Sample rate: 22050"));
}

TEST_F(EngineSoundWin32, WrongVersionIsRefused) {
    standIn.setVersion(0x02040000);
    engine->System_SetFlag(Windowed, true);
    EXPECT_FALSE(engine->System_Initiate());
    EXPECT_STREQ("Incorrect BASS.DLL version", engine->System_GetLastError());
    EXPECT_EQ(nullptr, engine->System_GetWindow(WindowHandle)) << "start-up shut down again";
    EXPECT_EQ("BASS_GetVersion() = 0x2040000\n", standIn.takeLog());
}

TEST_F(EngineSoundWin32, WithoutAnOutputDeviceTheEngineRunsSilently) {
    standIn.failNext("BASS_Init");
    ASSERT_TRUE(start());
    EXPECT_TRUE(engine->silent);
    const std::string log = standIn.takeLog();
    EXPECT_NE(std::string::npos, log.find("BASS_Init(-1, 22050, 0x0, " + window() +
                                          ", null) = 0\n"
                                          "BASS_Init(0, 22050, 0x0, " +
                                          window() + ", null) = 1\n"));
    const std::vector<std::string> lines = logLines();
    EXPECT_NE(lines.end(),
              std::find(lines.begin(), lines.end(), "BASS Init failed, using no sound"));
    EXPECT_EQ(1u, engine->Sample_Load(wave.data(), static_cast<uint32_t>(wave.size())));
    EXPECT_EQ(1u, engine->Stream_Open(wave.data(), static_cast<uint32_t>(wave.size())));
    EXPECT_EQ("", standIn.takeLog());
}

TEST_F(EngineSoundWin32, SampleOperations) {
    ASSERT_TRUE(start());
    standIn.takeLog();
    const EngineSample sample =
        engine->Sample_Load(wave.data(), static_cast<uint32_t>(wave.size()));
    ASSERT_NE(0u, sample);
    EXPECT_EQ("BASS_SampleLoad(1, \"RIFF\\x10\\x10\\x10\\x10\", 0, 48, 4, 0x10000) = " + n(sample) +
                  "\n",
              standIn.takeLog());

    const EngineChannel channel = engine->Sample_Play(sample);
    EXPECT_EQ("BASS_SampleGetChannel(" + n(sample) + ", 0) = " + n(channel) + "\n" +
                  "BASS_ChannelPlay(" + n(channel) + ", 1) = 1\n",
              standIn.takeLog());

    const EngineChannel adjusted = engine->Sample_PlayAdjusted(sample, 50, -20, 0.5f, true);
    EXPECT_EQ("BASS_SampleGetInfo(" + n(sample) + ", out) = 1\n" + "BASS_SampleGetChannel(" +
                  n(sample) + ", 0) = " + n(adjusted) + "\n" + "BASS_ChannelSetAttributes(" +
                  n(adjusted) + ", 22050, 50, -20) = 1\n" + "BASS_ChannelSetFlags(" + n(adjusted) +
                  ", 0x10004) = 1\n" + "BASS_ChannelPlay(" + n(adjusted) + ", 1) = 1\n",
              standIn.takeLog());

    engine->Sample_Free(sample);
    EXPECT_EQ("BASS_SampleFree(" + n(sample) + ") = 1\n", standIn.takeLog());
}

TEST_F(EngineSoundWin32, CompressedDataIsDecodedIntoASample) {
    ASSERT_TRUE(start());
    testsupport::writeFile(folder.file("effect.ogg"), std::string(100, 'x'));
    standIn.takeLog();
    const EngineSample sample = engine->Sample_Load("effect.ogg", 0);
    ASSERT_NE(0u, sample);
    const std::string log = standIn.takeLog();
    // 400 decoded bytes of 16-bit stereo: halved once (not 8-bit), not for mono.
    EXPECT_NE(std::string::npos, log.find("BASS_SampleCreate(200, 44100, 2, 4, 0x210000)")) << log;
    EXPECT_NE(std::string::npos, log.find("BASS_SampleCreateDone() = " + n(sample))) << log;

    standIn.failNext("BASS_SampleCreate");
    EXPECT_EQ(0u, engine->Sample_Load("effect.ogg", 0));
    EXPECT_STREQ("Can't create sound effect: Not enough memory", engine->System_GetLastError());
}

TEST_F(EngineSoundWin32, TrackerOperations) {
    ASSERT_TRUE(start());
    standIn.takeLog();
    const EngineMusic music = engine->Tracker_Load(wave.data(), static_cast<uint32_t>(wave.size()));
    ASSERT_NE(0u, music);
    const std::string m = n(music);
    EXPECT_EQ("BASS_MusicLoad(1, data, 0, 0, 0x420200, 0) = " + m + "\n", standIn.takeLog());

    struct Case {
        const char* what;
        void (*act)(Engine*, EngineMusic);
        std::string calls;
    };
    const Case cases[] = {
        {"set position", [](Engine* e, EngineMusic h) { e->Tracker_SetPosition(h, 3, 10); },
         "BASS_ChannelSetPosition(" + m + ", " + n(MAKELONG(3, 10 | 0x8000)) + ") = 1\n"},
        {"play continuing order and row",
         [](Engine* e, EngineMusic h) { e->Tracker_Play(h, true, 60, -1, -1); },
         "BASS_MusicGetOrderPosition(" + m + ") = " + n(MAKELONG(3, 10)) + "\n" +
             "BASS_ChannelSetPosition(" + m + ", " + n(MAKELONG(3, 10 | 0x8000)) + ") = 1\n" +
             "BASS_ChannelGetInfo(" + m + ", out) = 1\n" + "BASS_ChannelSetAttributes(" + m +
             ", 44100, 60, 0) = 1\n" + "BASS_ChannelSetFlags(" + m + ", 0x420204) = 1\n" +
             "BASS_ChannelPlay(" + m + ", 0) = 1\n"},
        {"amplify", [](Engine* e, EngineMusic h) { e->Tracker_SetAmplify(h, 40); },
         "BASS_MusicSetAttribute(" + m + ", 0x0, 40) = 1\n"},
        {"instrument volume",
         [](Engine* e, EngineMusic h) { e->Tracker_SetInstrumentVolume(h, 3, 20); },
         "BASS_MusicSetAttribute(" + m + ", 0x203, 20) = 1\n"},
        {"channel volume", [](Engine* e, EngineMusic h) { e->Tracker_SetChannelVolume(h, 2, 30); },
         "BASS_MusicSetAttribute(" + m + ", 0x102, 30) = 1\n"},
        {"free", [](Engine* e, EngineMusic h) { e->Tracker_Free(h); },
         "BASS_MusicFree(" + m + ") = 1\n"},
    };
    for (const Case& c : cases) {
        if (std::string(c.what) == "free") {
            EXPECT_EQ(40, engine->Tracker_GetAmplify(music));
            EXPECT_EQ(20, engine->Tracker_GetInstrumentVolume(music, 3));
            EXPECT_EQ(30, engine->Tracker_GetChannelVolume(music, 2));
            EXPECT_EQ(12, engine->Tracker_GetOrderCount(music));
            int order = 0, row = 0;
            EXPECT_TRUE(engine->Tracker_GetPosition(music, &order, &row));
            EXPECT_EQ(3, order);
            EXPECT_EQ(10, row);
            standIn.takeLog();
        }
        c.act(engine, music);
        EXPECT_EQ(c.calls, standIn.takeLog()) << c.what;
    }
}

TEST_F(EngineSoundWin32, StreamAndVoiceOperations) {
    ASSERT_TRUE(start());
    testsupport::writeFile(folder.file("music.ogg"), wave);
    standIn.takeLog();
    const EngineStream stream = engine->Stream_Open("music.ogg", 0);
    ASSERT_NE(0u, stream);
    const std::string s = n(stream);
    EXPECT_EQ("BASS_StreamCreateFile(1, \"RIFF\\x10\\x10\\x10\\x10\", 0, 48, 0x0) = " + s + "\n",
              standIn.takeLog());
    ASSERT_NE(nullptr, engine->streams) << "data read here lives with the stream";

    struct Case {
        const char* what;
        void (*act)(Engine*, EngineChannel);
        std::string calls;
    };
    const Case cases[] = {
        {"start", [](Engine* e, EngineChannel h) { e->Stream_Start(h, false, 80); },
         "BASS_ChannelGetInfo(" + s + ", out) = 1\nBASS_ChannelSetAttributes(" + s +
             ", 44100, 80, 0) = 1\nBASS_ChannelSetFlags(" + s + ", 0x0) = 1\nBASS_ChannelPlay(" +
             s + ", 1) = 1\n"},
        {"pan", [](Engine* e, EngineChannel h) { e->Voice_SetPan(h, -30); },
         "BASS_ChannelSetAttributes(" + s + ", -1, -1, -30) = 1\n"},
        {"volume", [](Engine* e, EngineChannel h) { e->Voice_SetVolume(h, 40); },
         "BASS_ChannelSetAttributes(" + s + ", -1, 40, -101) = 1\n"},
        {"pitch", [](Engine* e, EngineChannel h) { e->Voice_SetPitch(h, 2.0f); },
         "BASS_ChannelGetInfo(" + s + ", out) = 1\nBASS_ChannelSetAttributes(" + s +
             ", 88200, -1, -101) = 1\n"},
        {"slide", [](Engine* e, EngineChannel h) { e->Voice_SlideTo(h, 1.5f, 10, 20, -1.0f); },
         "BASS_ChannelGetInfo(" + s + ", out) = 1\nBASS_ChannelSlideAttributes(" + s +
             ", -1, 10, 20, 1500) = 1\n"},
        {"pause", [](Engine* e, EngineChannel h) { e->Voice_Pause(h); },
         "BASS_ChannelPause(" + s + ") = 1\n"},
        {"resume", [](Engine* e, EngineChannel h) { e->Voice_Resume(h); },
         "BASS_ChannelPlay(" + s + ", 0) = 1\n"},
        {"set position", [](Engine* e, EngineChannel h) { e->Voice_SetPosition(h, 0.0f); },
         "BASS_ChannelSeconds2Bytes(" + s + ", 0) = 0\nBASS_ChannelSetPosition(" + s +
             ", 0) = 1\n"},
        {"stop", [](Engine* e, EngineChannel h) { e->Voice_Stop(h); },
         "BASS_ChannelStop(" + s + ") = 1\n"},
        {"pause all", [](Engine* e, EngineChannel) { e->Voice_PauseAll(); }, "BASS_Pause() = 1\n"},
        {"resume all", [](Engine* e, EngineChannel) { e->Voice_ResumeAll(); },
         "BASS_Start() = 1\n"},
        {"stop all", [](Engine* e, EngineChannel) { e->Voice_StopAll(); },
         "BASS_Stop() = 1\nBASS_Start() = 1\n"},
        {"close", [](Engine* e, EngineChannel h) { e->Stream_Close(h); },
         "BASS_StreamFree(" + s + ") = 1\n"},
    };
    for (const Case& c : cases) {
        c.act(engine, stream);
        EXPECT_EQ(c.calls, standIn.takeLog()) << c.what;
    }
    EXPECT_EQ(nullptr, engine->streams);
}

TEST_F(EngineSoundWin32, VoiceQueries) {
    ASSERT_TRUE(start());
    const EngineStream stream =
        engine->Stream_Open(wave.data(), static_cast<uint32_t>(wave.size()));
    ASSERT_NE(0u, stream);
    EXPECT_EQ(nullptr, engine->streams) << "caller-owned memory is not kept";
    engine->Stream_Start(stream, true, 100);
    standIn.takeLog();
    const std::string s = n(stream);
    EXPECT_TRUE(engine->Voice_IsPlaying(stream));
    EXPECT_FALSE(engine->Voice_IsSliding(stream));
    EXPECT_FLOAT_EQ(192.0f / 176400.0f, engine->Voice_GetLength(stream));
    EXPECT_FLOAT_EQ(0.0f, engine->Voice_GetPosition(stream));
    EXPECT_EQ("BASS_ChannelIsActive(" + s + ") = 1\nBASS_ChannelIsSliding(" + s + ") = 0\n" +
                  "BASS_ChannelGetLength(" + s + ") = 192\nBASS_ChannelBytes2Seconds(" + s +
                  ", 192) = 0.00108844\n" + "BASS_ChannelGetPosition(" + s +
                  ") = 0\nBASS_ChannelBytes2Seconds(" + s + ", 0) = 0\n",
              standIn.takeLog());
}

} // namespace
} // namespace enginetest

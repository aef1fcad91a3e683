#include "tests/engine/audio_standin/AudioStandInControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::AudioStandIn;

// A wave file's first bytes: enough for the stand-in to take it as a sample.
const std::string kWave =
    std::string("RIFF") + std::string(4, '\x10') + "WAVEfmt " + std::string(48 - 16, '\0');

class AudioStandInWin32Test : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(standIn.load()) << "missing: " << standIn.missing();
        standIn.reset();
    }

    const SoundLibrary& bass() const { return standIn.entries(); }

    AudioStandIn standIn;
};

TEST_F(AudioStandInWin32Test, ExportsEveryEntryPointByPlainNameAndPassesTheVersionCheck) {
    EXPECT_EQ(standIn.missing(), "");
    EXPECT_EQ(HIWORD(bass().BASS_GetVersion()), 0x0203);
}

TEST_F(AudioStandInWin32Test, RecordsEachCallWithItsArgumentsAndAnswer) {
    const HWND window = reinterpret_cast<HWND>(std::uintptr_t(0x1234));
    ASSERT_TRUE(bass().BASS_Init(-1, 44100, 0, window, nullptr));
    EXPECT_EQ(bass().BASS_SetConfig(SoundConfigSampleVolume, 80), 80u);
    const DWORD sample = bass().BASS_SampleLoad(TRUE, kWave.data(), 0, DWORD(kWave.size()), 4,
                                                SoundFlagOverrideQuietest);
    const DWORD channel = bass().BASS_SampleGetChannel(sample, FALSE);
    EXPECT_TRUE(bass().BASS_ChannelSetAttributes(channel, 22050, 50, -101));
    EXPECT_TRUE(bass().BASS_ChannelPlay(channel, TRUE));
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel), SoundActivePlaying);
    EXPECT_FLOAT_EQ(bass().BASS_ChannelBytes2Seconds(channel, 88200), 1.0f);
    EXPECT_EQ(standIn.takeLog(), "BASS_Init(-1, 44100, 0x0, 0x1234, null) = 1\n"
                                 "BASS_SetConfig(0x4, 80) = 80\n"
                                 "BASS_SampleLoad(1, \"RIFF\\x10\\x10\\x10\\x10\", 0, 48, 4, "
                                 "0x10000) = 65537\n"
                                 "BASS_SampleGetChannel(65537, 0) = 131073\n"
                                 "BASS_ChannelSetAttributes(131073, 22050, 50, -101) = 1\n"
                                 "BASS_ChannelPlay(131073, 1) = 1\n"
                                 "BASS_ChannelIsActive(131073) = 1\n"
                                 "BASS_ChannelBytes2Seconds(131073, 88200) = 1\n");
    EXPECT_EQ(standIn.takeLog(), "");
}

TEST_F(AudioStandInWin32Test, DecodesNonWaveDataThroughAStreamIntoANewSample) {
    // The path a loader takes when the data is no plain sample.
    const std::string data(100, 'x');
    EXPECT_EQ(bass().BASS_SampleLoad(TRUE, data.data(), 0, 100, 4, SoundFlagOverrideQuietest), 0u);
    const DWORD stream = bass().BASS_StreamCreateFile(TRUE, data.data(), 0, 100, SoundFlagDecode);
    ASSERT_NE(stream, 0u);
    const std::uint64_t length = bass().BASS_ChannelGetLength(stream);
    EXPECT_EQ(length, 400u);
    SoundChannelInfo info = {};
    ASSERT_TRUE(bass().BASS_ChannelGetInfo(stream, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    EXPECT_EQ(info.flags, SoundFlagDecode);
    auto* buffer = static_cast<unsigned char*>(
        bass().BASS_SampleCreate(DWORD(length), info.freq, 2, 4, info.flags | 0x10000));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(bass().BASS_ChannelGetData(stream, buffer, DWORD(length)), 400u);
    EXPECT_EQ(buffer[5], 5);
    EXPECT_EQ(buffer[399], 399 & 0xff);
    EXPECT_EQ(bass().BASS_ChannelGetData(stream, buffer, 1), 0xFFFFFFFFu); // at the end
    const DWORD sample = bass().BASS_SampleCreateDone();
    EXPECT_NE(sample, 0u);
    EXPECT_TRUE(bass().BASS_StreamFree(stream));
    SoundSampleInfo sampleInfo = {};
    ASSERT_TRUE(bass().BASS_SampleGetInfo(sample, &sampleInfo));
    EXPECT_EQ(sampleInfo.length, 400u);
    EXPECT_EQ(sampleInfo.flags, SoundFlagDecode | 0x10000);
    EXPECT_EQ(bass().BASS_SampleCreateDone(), 0u) << "nothing is being built any more";
}

TEST_F(AudioStandInWin32Test, ChannelsKeepTheirStateLikeALibrary) {
    const DWORD stream = bass().BASS_StreamCreateFile(TRUE, kWave.data(), 0, 48, 0);
    ASSERT_NE(stream, 0u);

    // -1 keeps frequency and volume, -101 the pan.
    ASSERT_TRUE(bass().BASS_ChannelSetAttributes(stream, 22050, 40, -30));
    ASSERT_TRUE(bass().BASS_ChannelSetAttributes(stream, -1, -1, -101));
    DWORD freq = 0, volume = 0;
    int pan = 0;
    ASSERT_TRUE(bass().BASS_ChannelGetAttributes(stream, &freq, &volume, &pan));
    EXPECT_EQ(freq, 22050u);
    EXPECT_EQ(volume, 40u);
    EXPECT_EQ(pan, -30);

    ASSERT_TRUE(bass().BASS_ChannelSlideAttributes(stream, -1, 20, -101, 500));
    EXPECT_EQ(bass().BASS_ChannelIsSliding(stream), 2u); // the volume only

    // 22050 Hz stereo 16-bit: 88200 bytes a second.
    EXPECT_EQ(bass().BASS_ChannelSeconds2Bytes(stream, 0.5f), 44100u);
    EXPECT_TRUE(bass().BASS_ChannelSetPosition(stream, 100));
    EXPECT_EQ(bass().BASS_ChannelGetPosition(stream), 100u);
    EXPECT_FALSE(bass().BASS_ChannelSetPosition(stream, 1000)) << "beyond its 192 bytes";

    struct Step {
        const char* what;
        BOOL (*act)(const SoundLibrary&, DWORD);
        DWORD active;
    };
    const Step steps[] = {
        {"play", [](const SoundLibrary& b, DWORD h) { return b.BASS_ChannelPlay(h, FALSE); }, 1},
        {"pause all", [](const SoundLibrary& b, DWORD) { return b.BASS_Pause(); }, 3},
        {"start all", [](const SoundLibrary& b, DWORD) { return b.BASS_Start(); }, 1},
        {"pause", [](const SoundLibrary& b, DWORD h) { return b.BASS_ChannelPause(h); }, 3},
        {"stop", [](const SoundLibrary& b, DWORD h) { return b.BASS_ChannelStop(h); }, 0},
    };
    for (const Step& step : steps) {
        EXPECT_TRUE(step.act(bass(), stream)) << step.what;
        EXPECT_EQ(bass().BASS_ChannelIsActive(stream), step.active) << step.what;
    }
    EXPECT_EQ(bass().BASS_ChannelIsSliding(stream), 0u) << "stopping ends the slide";
    EXPECT_EQ(bass().BASS_ChannelGetPosition(stream), 100u) << "play without restart keeps it";
}

TEST_F(AudioStandInWin32Test, MusicTakesOrderAndRowPositionsAndAttributes) {
    const DWORD music = bass().BASS_MusicLoad(TRUE, kWave.data(), 0, 0, SoundMusicFlags, 0);
    ASSERT_NE(music, 0u);
    EXPECT_EQ(bass().BASS_MusicGetOrders(music), 12u);
    EXPECT_EQ(bass().BASS_MusicGetOrderPosition(music), 0u);
    EXPECT_TRUE(bass().BASS_ChannelSetPosition(music, MAKELONG(3, 10 | 0x8000)));
    EXPECT_EQ(bass().BASS_MusicGetOrderPosition(music), DWORD(MAKELONG(3, 10)));
    EXPECT_FALSE(bass().BASS_ChannelSetPosition(music, MAKELONG(12, 0x8000))) << "no order 12";

    EXPECT_EQ(bass().BASS_MusicGetAttribute(music, 0), 50u);
    EXPECT_EQ(bass().BASS_MusicGetAttribute(music, 0x203), 100u);
    EXPECT_TRUE(bass().BASS_MusicSetAttribute(music, 0x203, 7));
    EXPECT_EQ(bass().BASS_MusicGetAttribute(music, 0x203), 7u);

    EXPECT_TRUE(bass().BASS_MusicFree(music));
    EXPECT_EQ(bass().BASS_MusicGetOrders(music), 0xFFFFFFFFu);
    EXPECT_EQ(bass().BASS_MusicGetAttribute(music, 0), 0xFFFFFFFFu);
}

TEST_F(AudioStandInWin32Test, VersionAndFailuresAreScriptedAndResetForgetsEverything) {
    standIn.setVersion(0x02040000);
    EXPECT_EQ(bass().BASS_GetVersion(), 0x02040000u);

    standIn.failNext("BASS_Init");
    EXPECT_FALSE(bass().BASS_Init(-1, 44100, 0, nullptr, nullptr));
    EXPECT_TRUE(bass().BASS_Init(0, 44100, 0, nullptr, nullptr));

    standIn.failNext("BASS_SampleLoad", 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bass().BASS_SampleLoad(TRUE, kWave.data(), 0, 48, 4, 0), 0u);
    }
    const DWORD first = bass().BASS_SampleLoad(TRUE, kWave.data(), 0, 48, 4, 0);
    EXPECT_NE(first, 0u);

    standIn.reset();
    EXPECT_EQ(standIn.takeLog(), "");
    EXPECT_EQ(bass().BASS_GetVersion(), 0x02030000u);
    EXPECT_FALSE(bass().BASS_SampleFree(first)) << "reset forgets the objects";
    EXPECT_EQ(bass().BASS_SampleLoad(TRUE, kWave.data(), 0, 48, 4, 0), first)
        << "handles start over";
}

} // namespace

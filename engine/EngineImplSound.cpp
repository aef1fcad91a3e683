// Sound through the audio library loaded at run time from "bass.dll": start-up
// with its version check, silent mode, global volumes and the 34 operations.
// Every operation answers its empty result while the library is not usable.
#include "engine/EngineImpl.h"

#include "engine/SoundLibrary.h"

namespace {

DWORD withLoopFlag(DWORD flags, bool loop) {
    return loop ? (flags | SoundFlagLoop) : (flags & ~static_cast<DWORD>(SoundFlagLoop));
}

DWORD musicPosition(int order, int row) {
    return MAKELONG(static_cast<WORD>(order), static_cast<WORD>(row | 0x8000));
}

} // namespace

bool EngineImpl::startSound() {
    if (!soundEnabled || soundLibrary != nullptr) {
        return true;
    }
    soundLibrary = LoadLibraryA("bass.dll");
    if (soundLibrary == nullptr) {
        fail("Can't load BASS.DLL");
        return false;
    }
    BASS_GetVersion_t getVersion = reinterpret_cast<BASS_GetVersion_t>(
        reinterpret_cast<void*>(GetProcAddress(soundLibrary, "BASS_GetVersion")));
    if (getVersion == nullptr || HIWORD(getVersion()) != SoundVersionHigh) {
        fail("Incorrect BASS.DLL version");
        return false;
    }
    SoundLibrary* entries = new SoundLibrary();
    bool complete = true;
#define SOUND_FETCH(name, result, arguments)                                                       \
    entries->name =                                                                                \
        reinterpret_cast<name##_t>(reinterpret_cast<void*>(GetProcAddress(soundLibrary, #name)));  \
    complete = complete && entries->name != nullptr;
    SOUND_ENTRY_POINTS(SOUND_FETCH)
#undef SOUND_FETCH
    if (!complete) {
        // Calling through a missing entry point would crash: refuse the library.
        delete entries;
        fail("Incorrect BASS.DLL version");
        return false;
    }
    sound = entries;

    silent = false;
    if (sound->BASS_Init(-1, sampleRate, 0, window, nullptr)) {
        const char* description = sound->BASS_GetDeviceDescription(1);
        System_WriteLog("Sound Device: %s", description != nullptr ? description : "");
        System_WriteLog("Sample rate: %ld\n", static_cast<long>(sampleRate));
    } else {
        System_WriteLog("BASS Init failed, using no sound");
        sound->BASS_Init(0, sampleRate, 0, window, nullptr);
        silent = true;
    }
    applyGlobalVolumes();
    return true;
}

void EngineImpl::applyGlobalVolumes() {
    if (sound == nullptr) {
        return;
    }
    sound->BASS_SetConfig(SoundConfigSampleVolume, effectVolume);
    sound->BASS_SetConfig(SoundConfigMusicVolume, musicVolume);
    sound->BASS_SetConfig(SoundConfigStreamVolume, streamVolume);
}

void EngineImpl::stopSound() {
    if (soundLibrary != nullptr) {
        if (sound != nullptr) {
            sound->BASS_Stop();
            sound->BASS_Free();
            delete sound;
            sound = nullptr;
        }
        FreeLibrary(soundLibrary);
        soundLibrary = nullptr;
    }
    while (streams != nullptr) {
        EngineStreamEntry* next = streams->next;
        Data_FreeFile(streams->data);
        delete streams;
        streams = next;
    }
}

const void* EngineImpl::soundData(const void* data, uint32_t& size, void*& loaded) {
    loaded = nullptr;
    if (size != 0) {
        return data;
    }
    loaded = Data_LoadFile(static_cast<const char*>(data), &size);
    return loaded;
}

EngineSample EngineImpl::Sample_Load(const void* data, uint32_t size) {
    if (sound == nullptr) {
        return 0;
    }
    if (silent) {
        return 1;
    }
    void* loaded = nullptr;
    data = soundData(data, size, loaded);
    if (data == nullptr) {
        return 0;
    }
    DWORD sample = sound->BASS_SampleLoad(TRUE, data, 0, size, 4, SoundFlagOverrideQuietest);
    if (sample == 0) {
        // Not a plain sample: decode it as a compressed stream into a new sample.
        const DWORD stream = sound->BASS_StreamCreateFile(TRUE, data, 0, size, SoundFlagDecode);
        if (stream != 0) {
            DWORD length = static_cast<DWORD>(sound->BASS_ChannelGetLength(stream));
            SoundChannelInfo info;
            ZeroMemory(&info, sizeof(info));
            sound->BASS_ChannelGetInfo(stream, &info);
            if (info.chans < 2) {
                length >>= 1;
            }
            if (!(info.flags & SoundFlag8Bits)) {
                length >>= 1;
            }
            void* buffer = sound->BASS_SampleCreate(length, info.freq, 2, 4,
                                                    info.flags | SoundFlagOverrideQuietest);
            if (buffer == nullptr) {
                sound->BASS_StreamFree(stream);
                fail("Can't create sound effect: Not enough memory");
                Data_FreeFile(loaded);
                return 0;
            }
            sound->BASS_ChannelGetData(stream, buffer, length);
            sample = sound->BASS_SampleCreateDone();
            sound->BASS_StreamFree(stream);
            if (sample == 0) {
                fail("Can't create sound effect");
            }
        }
    }
    Data_FreeFile(loaded);
    return sample;
}

void EngineImpl::Sample_Free(EngineSample sample) {
    if (sound != nullptr) {
        sound->BASS_SampleFree(sample);
    }
}

EngineChannel EngineImpl::Sample_Play(EngineSample sample) {
    if (sound == nullptr) {
        return 0;
    }
    const DWORD channel = sound->BASS_SampleGetChannel(sample, FALSE);
    sound->BASS_ChannelPlay(channel, TRUE);
    return channel;
}

EngineChannel EngineImpl::Sample_PlayAdjusted(EngineSample sample, int volume, int pan, float pitch,
                                              bool loop) {
    if (sound == nullptr) {
        return 0;
    }
    SoundSampleInfo info;
    ZeroMemory(&info, sizeof(info));
    sound->BASS_SampleGetInfo(sample, &info);
    const DWORD channel = sound->BASS_SampleGetChannel(sample, FALSE);
    sound->BASS_ChannelSetAttributes(channel, static_cast<int>(pitch * info.freq), volume, pan);
    sound->BASS_ChannelSetFlags(channel, withLoopFlag(info.flags, loop));
    sound->BASS_ChannelPlay(channel, TRUE);
    return channel;
}

EngineMusic EngineImpl::Tracker_Load(const void* data, uint32_t size) {
    if (sound == nullptr) {
        return 0;
    }
    void* loaded = nullptr;
    data = soundData(data, size, loaded);
    if (data == nullptr) {
        return 0;
    }
    const DWORD music = sound->BASS_MusicLoad(TRUE, data, 0, 0, SoundMusicFlags, 0);
    if (music == 0) {
        fail("Can't load music");
    }
    Data_FreeFile(loaded);
    return music;
}

void EngineImpl::Tracker_Free(EngineMusic music) {
    if (sound != nullptr) {
        sound->BASS_MusicFree(music);
    }
}

EngineChannel EngineImpl::Tracker_Play(EngineMusic music, bool loop, int volume, int order,
                                       int row) {
    if (sound == nullptr) {
        return 0;
    }
    const DWORD position = sound->BASS_MusicGetOrderPosition(music);
    if (order == -1) {
        order = LOWORD(position);
    }
    if (row == -1) {
        row = HIWORD(position);
    }
    sound->BASS_ChannelSetPosition(music, musicPosition(order, row));
    SoundChannelInfo info;
    ZeroMemory(&info, sizeof(info));
    sound->BASS_ChannelGetInfo(music, &info);
    sound->BASS_ChannelSetAttributes(music, static_cast<int>(info.freq), volume, 0);
    sound->BASS_ChannelSetFlags(music, withLoopFlag(info.flags, loop));
    sound->BASS_ChannelPlay(music, FALSE);
    return music;
}

void EngineImpl::Tracker_SetAmplify(EngineMusic music, int amplify) {
    if (sound != nullptr) {
        sound->BASS_MusicSetAttribute(music, 0, amplify);
    }
}

int EngineImpl::Tracker_GetAmplify(EngineMusic music) {
    return sound != nullptr ? static_cast<int>(sound->BASS_MusicGetAttribute(music, 0)) : -1;
}

int EngineImpl::Tracker_GetOrderCount(EngineMusic music) {
    return sound != nullptr ? static_cast<int>(sound->BASS_MusicGetOrders(music)) : -1;
}

void EngineImpl::Tracker_SetPosition(EngineMusic music, int order, int row) {
    if (sound != nullptr) {
        sound->BASS_ChannelSetPosition(music, musicPosition(order, row));
    }
}

bool EngineImpl::Tracker_GetPosition(EngineMusic music, int* order, int* row) {
    if (sound == nullptr) {
        return false;
    }
    const DWORD position = sound->BASS_MusicGetOrderPosition(music);
    if (position == static_cast<DWORD>(-1)) {
        return false;
    }
    *order = LOWORD(position);
    *row = HIWORD(position);
    return true;
}

void EngineImpl::Tracker_SetInstrumentVolume(EngineMusic music, int instrument, int volume) {
    if (sound != nullptr) {
        sound->BASS_MusicSetAttribute(music, 0x200 + instrument, volume);
    }
}

int EngineImpl::Tracker_GetInstrumentVolume(EngineMusic music, int instrument) {
    return sound != nullptr
               ? static_cast<int>(sound->BASS_MusicGetAttribute(music, 0x200 + instrument))
               : -1;
}

void EngineImpl::Tracker_SetChannelVolume(EngineMusic music, int channel, int volume) {
    if (sound != nullptr) {
        sound->BASS_MusicSetAttribute(music, 0x100 + channel, volume);
    }
}

int EngineImpl::Tracker_GetChannelVolume(EngineMusic music, int channel) {
    return sound != nullptr
               ? static_cast<int>(sound->BASS_MusicGetAttribute(music, 0x100 + channel))
               : -1;
}

EngineStream EngineImpl::Stream_Open(const void* data, uint32_t size) {
    if (sound == nullptr) {
        return 0;
    }
    if (silent) {
        return 1;
    }
    void* loaded = nullptr;
    data = soundData(data, size, loaded);
    if (data == nullptr) {
        return 0;
    }
    const DWORD stream = sound->BASS_StreamCreateFile(TRUE, data, 0, size, 0);
    if (stream == 0) {
        fail("Can't load stream");
        Data_FreeFile(loaded);
        return 0;
    }
    if (loaded != nullptr) {
        // The library plays from this memory: keep it until the stream is closed.
        EngineStreamEntry* entry = new EngineStreamEntry();
        entry->stream = stream;
        entry->data = loaded;
        entry->next = streams;
        streams = entry;
    }
    return stream;
}

void EngineImpl::Stream_Close(EngineStream stream) {
    if (sound == nullptr) {
        return;
    }
    for (EngineStreamEntry** link = &streams; *link != nullptr; link = &(*link)->next) {
        if ((*link)->stream == stream) {
            EngineStreamEntry* removed = *link;
            *link = removed->next;
            Data_FreeFile(removed->data);
            delete removed;
            break;
        }
    }
    sound->BASS_StreamFree(stream);
}

EngineChannel EngineImpl::Stream_Start(EngineStream stream, bool loop, int volume) {
    if (sound == nullptr) {
        return 0;
    }
    SoundChannelInfo info;
    ZeroMemory(&info, sizeof(info));
    sound->BASS_ChannelGetInfo(stream, &info);
    sound->BASS_ChannelSetAttributes(stream, static_cast<int>(info.freq), volume, 0);
    sound->BASS_ChannelSetFlags(stream, withLoopFlag(info.flags, loop));
    sound->BASS_ChannelPlay(stream, TRUE);
    return stream;
}

void EngineImpl::Voice_SetPan(EngineChannel channel, int pan) {
    if (sound != nullptr) {
        sound->BASS_ChannelSetAttributes(channel, -1, -1, pan);
    }
}

void EngineImpl::Voice_SetVolume(EngineChannel channel, int volume) {
    if (sound != nullptr) {
        sound->BASS_ChannelSetAttributes(channel, -1, volume, -101);
    }
}

void EngineImpl::Voice_SetPitch(EngineChannel channel, float pitch) {
    if (sound == nullptr) {
        return;
    }
    SoundChannelInfo info;
    ZeroMemory(&info, sizeof(info));
    sound->BASS_ChannelGetInfo(channel, &info);
    sound->BASS_ChannelSetAttributes(channel, static_cast<int>(pitch * info.freq), -1, -101);
}

void EngineImpl::Voice_Pause(EngineChannel channel) {
    if (sound != nullptr) {
        sound->BASS_ChannelPause(channel);
    }
}

void EngineImpl::Voice_Resume(EngineChannel channel) {
    if (sound != nullptr) {
        sound->BASS_ChannelPlay(channel, FALSE);
    }
}

void EngineImpl::Voice_Stop(EngineChannel channel) {
    if (sound != nullptr) {
        sound->BASS_ChannelStop(channel);
    }
}

void EngineImpl::Voice_PauseAll() {
    if (sound != nullptr) {
        sound->BASS_Pause();
    }
}

void EngineImpl::Voice_ResumeAll() {
    if (sound != nullptr) {
        sound->BASS_Start();
    }
}

void EngineImpl::Voice_StopAll() {
    if (sound != nullptr) {
        sound->BASS_Stop();
        sound->BASS_Start();
    }
}

bool EngineImpl::Voice_IsPlaying(EngineChannel channel) {
    return sound != nullptr && sound->BASS_ChannelIsActive(channel) == SoundActivePlaying;
}

float EngineImpl::Voice_GetLength(EngineChannel channel) {
    if (sound == nullptr) {
        return -1.0f;
    }
    return sound->BASS_ChannelBytes2Seconds(channel, sound->BASS_ChannelGetLength(channel));
}

float EngineImpl::Voice_GetPosition(EngineChannel channel) {
    if (sound == nullptr) {
        return -1.0f;
    }
    return sound->BASS_ChannelBytes2Seconds(channel, sound->BASS_ChannelGetPosition(channel));
}

void EngineImpl::Voice_SetPosition(EngineChannel channel, float seconds) {
    if (sound != nullptr) {
        sound->BASS_ChannelSetPosition(channel, sound->BASS_ChannelSeconds2Bytes(channel, seconds));
    }
}

void EngineImpl::Voice_SlideTo(EngineChannel channel, float time, int volume, int pan,
                               float pitch) {
    if (sound == nullptr) {
        return;
    }
    SoundChannelInfo info;
    ZeroMemory(&info, sizeof(info));
    sound->BASS_ChannelGetInfo(channel, &info);
    const int frequency = pitch == -1.0f ? -1 : static_cast<int>(pitch * info.freq);
    sound->BASS_ChannelSlideAttributes(channel, frequency, volume, pan,
                                       static_cast<DWORD>(time * 1000.0f));
}

bool EngineImpl::Voice_IsSliding(EngineChannel channel) {
    return sound != nullptr && sound->BASS_ChannelIsSliding(channel) != 0;
}

#pragma once
// The audio library's entry points as the engine calls them, fetched by name
// from "bass.dll" at run time: the contract any replacement library (and the
// tests' recording stand-in) must honour. Windows-only header.

#include <windows.h>

#include <cstdint>

// What the sample information call fills in; only freq and flags are read.
struct SoundSampleInfo {
    DWORD freq;
    DWORD volume;
    int pan;
    DWORD flags;
    DWORD length;
    DWORD max;
    DWORD origres;
    DWORD chans;
    DWORD mingap;
    DWORD mode3d;
    float mindist;
    float maxdist;
    DWORD iangle;
    DWORD oangle;
    DWORD outvol;
    DWORD vam;
    DWORD priority;
};

// What the channel information call fills in; only freq, chans and flags are read.
struct SoundChannelInfo {
    DWORD freq;
    DWORD chans;
    DWORD flags;
    DWORD ctype;
    DWORD origres;
    DWORD plugin;
};

// Flags and options the engine passes.
enum : DWORD {
    SoundFlag8Bits = 1,
    SoundFlagMono = 2,
    SoundFlagLoop = 4,
    SoundFlagOverrideQuietest = 0x10000,
    SoundFlagDecode = 0x200000,
    SoundMusicFlags = 0x420200, // prescan, reset effects on position change, ramping
    SoundConfigSampleVolume = 4,
    SoundConfigStreamVolume = 5,
    SoundConfigMusicVolume = 6,
    SoundActivePlaying = 1,
    SoundVersionHigh = 0x0203,
};

// One typedef per entry point, named after it.
#define SOUND_ENTRY_POINTS(X)                                                                      \
    X(BASS_GetVersion, DWORD, (void))                                                              \
    X(BASS_GetDeviceDescription, const char*, (DWORD device))                                      \
    X(BASS_Init, BOOL, (int device, DWORD freq, DWORD flags, HWND window, const GUID* clsid))      \
    X(BASS_Free, BOOL, (void))                                                                     \
    X(BASS_Start, BOOL, (void))                                                                    \
    X(BASS_Pause, BOOL, (void))                                                                    \
    X(BASS_Stop, BOOL, (void))                                                                     \
    X(BASS_SetConfig, DWORD, (DWORD option, DWORD value))                                          \
    X(BASS_SampleLoad, DWORD,                                                                      \
      (BOOL memory, const void* file, DWORD offset, DWORD length, DWORD max, DWORD flags))         \
    X(BASS_SampleCreate, void*, (DWORD length, DWORD freq, DWORD chans, DWORD max, DWORD flags))   \
    X(BASS_SampleCreateDone, DWORD, (void))                                                        \
    X(BASS_SampleGetInfo, BOOL, (DWORD sample, SoundSampleInfo * info))                            \
    X(BASS_SampleGetChannel, DWORD, (DWORD sample, BOOL onlyNew))                                  \
    X(BASS_SampleFree, BOOL, (DWORD sample))                                                       \
    X(BASS_MusicLoad, DWORD,                                                                       \
      (BOOL memory, const void* file, DWORD offset, DWORD length, DWORD flags, DWORD freq))        \
    X(BASS_MusicFree, BOOL, (DWORD music))                                                         \
    X(BASS_MusicGetOrders, DWORD, (DWORD music))                                                   \
    X(BASS_MusicGetOrderPosition, DWORD, (DWORD music))                                            \
    X(BASS_MusicSetAttribute, BOOL, (DWORD music, DWORD attribute, DWORD value))                   \
    X(BASS_MusicGetAttribute, DWORD, (DWORD music, DWORD attribute))                               \
    X(BASS_StreamCreateFile, DWORD,                                                                \
      (BOOL memory, const void* file, DWORD offset, DWORD length, DWORD flags))                    \
    X(BASS_StreamFree, BOOL, (DWORD stream))                                                       \
    X(BASS_ChannelGetInfo, BOOL, (DWORD channel, SoundChannelInfo * info))                         \
    X(BASS_ChannelGetAttributes, BOOL, (DWORD channel, DWORD * freq, DWORD * volume, int* pan))    \
    X(BASS_ChannelSetAttributes, BOOL, (DWORD channel, int freq, int volume, int pan))             \
    X(BASS_ChannelSlideAttributes, BOOL,                                                           \
      (DWORD channel, int freq, int volume, int pan, DWORD milliseconds))                          \
    X(BASS_ChannelIsSliding, DWORD, (DWORD channel))                                               \
    X(BASS_ChannelSetFlags, BOOL, (DWORD channel, DWORD flags))                                    \
    X(BASS_ChannelGetData, DWORD, (DWORD channel, void* buffer, DWORD length))                     \
    X(BASS_ChannelPlay, BOOL, (DWORD channel, BOOL restart))                                       \
    X(BASS_ChannelPause, BOOL, (DWORD channel))                                                    \
    X(BASS_ChannelStop, BOOL, (DWORD channel))                                                     \
    X(BASS_ChannelIsActive, DWORD, (DWORD channel))                                                \
    X(BASS_ChannelGetLength, uint64_t, (DWORD channel))                                            \
    X(BASS_ChannelGetPosition, uint64_t, (DWORD channel))                                          \
    X(BASS_ChannelSetPosition, BOOL, (DWORD channel, uint64_t position))                           \
    X(BASS_ChannelSeconds2Bytes, uint64_t, (DWORD channel, float seconds))                         \
    X(BASS_ChannelBytes2Seconds, float, (DWORD channel, uint64_t bytes))

#define SOUND_ENTRY_TYPEDEF(name, result, arguments) typedef result(WINAPI* name##_t) arguments;
SOUND_ENTRY_POINTS(SOUND_ENTRY_TYPEDEF)
#undef SOUND_ENTRY_TYPEDEF

// The fetched entry points; all non-null once the library is accepted.
struct SoundLibrary {
#define SOUND_ENTRY_FIELD(name, result, arguments) name##_t name;
    SOUND_ENTRY_POINTS(SOUND_ENTRY_FIELD)
#undef SOUND_ENTRY_FIELD
};

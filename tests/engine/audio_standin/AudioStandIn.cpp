// Recording stand-in of the audio library, built by the tests as "bass.dll".
//
// The engine loads the audio library at run time and fetches its entry points
// by name. The real library does not exist here, so the engine's tests put
// this DLL next to their executables instead. It exports every entry point
// the engine fetches (with the very types of engine/SoundLibrary.h), answers
// the way a real library would (handles per kind of object, success codes,
// lengths, positions, the "unchanged" attribute values), and records each
// call with its arguments in a text log.
//
// Extra exports drive it from a test (see AudioStandInControl.h):
//   StandIn_TakeLog()         the calls since the last take, one per line;
//   StandIn_SetVersion(v)     the value the version query answers;
//   StandIn_FailNext(name, n) the next n calls of that entry point answer
//                             failure (every entry point but the version query);
//   StandIn_Reset()           forget objects, log, failures and version.
//
// Log lines read "Name(arg, ...) = result". Handles, counts, volumes and
// positions are decimal; flags, options and attributes are hex ("0x10000");
// floats use %g; memory blocks show up to their first 8 bytes in quotes with
// non-printable bytes as \xNN ("data" when no length was given); out-pointers
// read "out"; a window handle is hex and a missing pointer "null".
//
// What it accepts as sound: a sample is data starting with "RIFF" (12 bytes
// at least); a stream is any data of 4 bytes or more and plays four bytes of
// 44.1 kHz 16-bit stereo per byte of data (mono with flag 2); music is any
// data, with 12 orders of 64 rows.
#include "engine/SoundLibrary.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const DWORD kDefaultVersion = 0x02030000;
const DWORD kFailure = 0xFFFFFFFF;
const std::uint64_t kFailure64 = ~std::uint64_t(0);
const DWORD kMusicOrders = 12;
const DWORD kStateStopped = 0, kStatePlaying = 1, kStatePaused = 3;

enum class Kind { Sample, Channel, Music, Stream };

struct Object {
    Kind kind = Kind::Sample;
    DWORD freq = 44100;
    DWORD chans = 2;
    DWORD flags = 0;
    DWORD max = 1;
    int volume = 100;
    int pan = 0;
    std::uint64_t length = 0; // bytes
    std::uint64_t position = 0;
    DWORD state = kStateStopped;
    DWORD sliding = 0;
    DWORD order = 0, row = 0;          // music only
    std::map<DWORD, DWORD> attributes; // music only
};

struct StandIn {
    DWORD version = kDefaultVersion;
    std::string log;
    std::string taken; // what the last StandIn_TakeLog handed out
    std::map<std::string, int> failures;
    std::map<DWORD, Object> objects;
    DWORD next[4] = {0, 0, 0, 0};
    std::map<DWORD, DWORD> config;
    // The sample being built between BASS_SampleCreate and BASS_SampleCreateDone.
    std::vector<char> pending;
    Object pendingSample;
    bool havePending = false;
};

StandIn& standIn() {
    static StandIn instance;
    return instance;
}

// Handles of each kind in their own range, so logs are easy to read.
DWORD newHandle(Kind kind) {
    DWORD base = 0x10000 * (DWORD(kind) + 1);
    return base + ++standIn().next[int(kind)];
}

Object* find(DWORD handle) {
    auto it = standIn().objects.find(handle);
    return it == standIn().objects.end() ? nullptr : &it->second;
}

Object* find(DWORD handle, Kind kind) {
    Object* object = find(handle);
    return object && object->kind == kind ? object : nullptr;
}

// Consumes one pending failure of the entry point, if any.
bool failing(const char* name) {
    auto it = standIn().failures.find(name);
    if (it == standIn().failures.end() || it->second <= 0) {
        return false;
    }
    --it->second;
    return true;
}

std::string format(const char* pattern, ...) {
    char text[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

std::string hex(std::uint64_t v) {
    return format("0x%llx", static_cast<unsigned long long>(v));
}
std::string dec(std::uint64_t v) {
    return format("%llu", static_cast<unsigned long long>(v));
}
std::string dec(int v) {
    return format("%d", v);
}
std::string dec(DWORD v) {
    return dec(std::uint64_t(v));
}
std::string flt(float v) {
    return format("%g", double(v));
}

std::string block(BOOL memory, const void* file, std::uint64_t length) {
    if (!file) {
        return "null";
    }
    if (!memory) {
        return format("\"%s\"", static_cast<const char*>(file));
    }
    if (length == 0) {
        return "data";
    }
    std::string out = "\"";
    const auto* bytes = static_cast<const unsigned char*>(file);
    for (std::uint64_t i = 0; i < length && i < 8; ++i) {
        if (bytes[i] >= 0x20 && bytes[i] < 0x7f && bytes[i] != '"' && bytes[i] != '\\') {
            out += char(bytes[i]);
        } else {
            out += format("\\x%02x", bytes[i]);
        }
    }
    return out + "\"";
}

void record(const char* name, const std::string& args, const std::string& result) {
    standIn().log += std::string(name) + "(" + args + ") = " + result + "\n";
}

std::string join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) {
        out += (out.empty() ? "" : ", ") + part;
    }
    return out;
}

DWORD bytesPerSecond(const Object& o) {
    return o.freq * o.chans * 2;
}

bool looksLikeWave(BOOL memory, const void* file, DWORD length) {
    return memory && file && length >= 12 && std::memcmp(file, "RIFF", 4) == 0;
}

} // namespace

extern "C" {

DWORD WINAPI BASS_GetVersion(void) {
    record(__func__, "", hex(standIn().version));
    return standIn().version;
}

const char* WINAPI BASS_GetDeviceDescription(DWORD device) {
    const char* result = (!failing(__func__) && device <= 1) ? "Stand-in output" : nullptr;
    record(__func__, dec(device), result ? format("\"%s\"", result) : "null");
    return result;
}

BOOL WINAPI BASS_Init(int device, DWORD freq, DWORD flags, HWND window, const GUID* clsid) {
    const BOOL ok = !failing(__func__);
    record(__func__,
           join({dec(device), dec(freq), hex(flags), window ? hex(std::uintptr_t(window)) : "null",
                 clsid ? "guid" : "null"}),
           dec(ok));
    return ok;
}

BOOL WINAPI BASS_Free(void) {
    const BOOL ok = !failing(__func__);
    if (ok) {
        standIn().objects.clear();
    }
    record(__func__, "", dec(ok));
    return ok;
}

BOOL WINAPI BASS_Start(void) {
    const BOOL ok = !failing(__func__);
    for (auto& entry : standIn().objects) {
        if (ok && entry.second.state == kStatePaused) {
            entry.second.state = kStatePlaying;
        }
    }
    record(__func__, "", dec(ok));
    return ok;
}

BOOL WINAPI BASS_Pause(void) {
    const BOOL ok = !failing(__func__);
    for (auto& entry : standIn().objects) {
        if (ok && entry.second.state == kStatePlaying) {
            entry.second.state = kStatePaused;
        }
    }
    record(__func__, "", dec(ok));
    return ok;
}

BOOL WINAPI BASS_Stop(void) {
    const BOOL ok = !failing(__func__);
    for (auto& entry : standIn().objects) {
        if (ok) {
            entry.second.state = kStateStopped;
        }
    }
    record(__func__, "", dec(ok));
    return ok;
}

DWORD WINAPI BASS_SetConfig(DWORD option, DWORD value) {
    DWORD result = kFailure;
    if (!failing(__func__)) {
        standIn().config[option] = value;
        result = value;
    }
    record(__func__, join({hex(option), dec(std::uint64_t(value))}), dec(std::uint64_t(result)));
    return result;
}

DWORD WINAPI BASS_SampleLoad(BOOL memory, const void* file, DWORD offset, DWORD length, DWORD max,
                             DWORD flags) {
    DWORD handle = 0;
    if (!failing(__func__) && looksLikeWave(memory, file, length)) {
        Object sample;
        sample.kind = Kind::Sample;
        sample.flags = flags;
        sample.max = max;
        sample.length = length > 44 ? length - 44 : 0;
        handle = newHandle(Kind::Sample);
        standIn().objects[handle] = sample;
    }
    record(__func__,
           join({dec(memory), block(memory, file, length), dec(std::uint64_t(offset)),
                 dec(std::uint64_t(length)), dec(std::uint64_t(max)), hex(flags)}),
           dec(std::uint64_t(handle)));
    return handle;
}

void* WINAPI BASS_SampleCreate(DWORD length, DWORD freq, DWORD chans, DWORD max, DWORD flags) {
    void* buffer = nullptr;
    if (!failing(__func__)) {
        StandIn& s = standIn();
        s.pending.assign(length ? length : 1, 0);
        s.pendingSample = Object();
        s.pendingSample.freq = freq;
        s.pendingSample.chans = chans;
        s.pendingSample.max = max;
        s.pendingSample.flags = flags;
        s.pendingSample.length = length;
        s.havePending = true;
        buffer = s.pending.data();
    }
    record(__func__,
           join({dec(std::uint64_t(length)), dec(std::uint64_t(freq)), dec(std::uint64_t(chans)),
                 dec(std::uint64_t(max)), hex(flags)}),
           buffer ? "buffer" : "null");
    return buffer;
}

DWORD WINAPI BASS_SampleCreateDone(void) {
    DWORD handle = 0;
    StandIn& s = standIn();
    if (!failing(__func__) && s.havePending) {
        handle = newHandle(Kind::Sample);
        s.objects[handle] = s.pendingSample;
    }
    s.havePending = false;
    s.pending.clear();
    record(__func__, "", dec(std::uint64_t(handle)));
    return handle;
}

BOOL WINAPI BASS_SampleGetInfo(DWORD sample, SoundSampleInfo* info) {
    const Object* o = find(sample, Kind::Sample);
    const BOOL ok = !failing(__func__) && o && info;
    if (ok) {
        std::memset(info, 0, sizeof *info);
        info->freq = o->freq;
        info->volume = DWORD(o->volume);
        info->pan = o->pan;
        info->flags = o->flags;
        info->length = DWORD(o->length);
        info->max = o->max;
        info->origres = 16;
        info->chans = o->chans;
    }
    record(__func__, join({dec(std::uint64_t(sample)), info ? "out" : "null"}), dec(ok));
    return ok;
}

DWORD WINAPI BASS_SampleGetChannel(DWORD sample, BOOL onlyNew) {
    DWORD handle = 0;
    const Object* o = find(sample, Kind::Sample);
    if (!failing(__func__) && o) {
        Object channel = *o;
        channel.kind = Kind::Channel;
        handle = newHandle(Kind::Channel);
        standIn().objects[handle] = channel;
    }
    record(__func__, join({dec(std::uint64_t(sample)), dec(onlyNew)}), dec(std::uint64_t(handle)));
    return handle;
}

BOOL WINAPI BASS_SampleFree(DWORD sample) {
    const BOOL ok = !failing(__func__) && standIn().objects.erase(sample) != 0;
    record(__func__, dec(std::uint64_t(sample)), dec(ok));
    return ok;
}

DWORD WINAPI BASS_MusicLoad(BOOL memory, const void* file, DWORD offset, DWORD length, DWORD flags,
                            DWORD freq) {
    DWORD handle = 0;
    if (!failing(__func__) && file) {
        Object music;
        music.kind = Kind::Music;
        music.flags = flags;
        music.length = 4 * 44100 * 60; // a minute of 16-bit stereo
        handle = newHandle(Kind::Music);
        standIn().objects[handle] = music;
    }
    record(__func__,
           join({dec(memory), block(memory, file, length), dec(std::uint64_t(offset)),
                 dec(std::uint64_t(length)), hex(flags), dec(std::uint64_t(freq))}),
           dec(std::uint64_t(handle)));
    return handle;
}

BOOL WINAPI BASS_MusicFree(DWORD music) {
    const BOOL ok = !failing(__func__) && find(music, Kind::Music) != nullptr;
    if (ok) {
        standIn().objects.erase(music);
    }
    record(__func__, dec(std::uint64_t(music)), dec(ok));
    return ok;
}

DWORD WINAPI BASS_MusicGetOrders(DWORD music) {
    const DWORD result = !failing(__func__) && find(music, Kind::Music) ? kMusicOrders : kFailure;
    record(__func__, dec(std::uint64_t(music)), dec(std::uint64_t(result)));
    return result;
}

DWORD WINAPI BASS_MusicGetOrderPosition(DWORD music) {
    const Object* o = find(music, Kind::Music);
    const DWORD result = !failing(__func__) && o ? MAKELONG(o->order, o->row) : kFailure;
    record(__func__, dec(std::uint64_t(music)), dec(std::uint64_t(result)));
    return result;
}

BOOL WINAPI BASS_MusicSetAttribute(DWORD music, DWORD attribute, DWORD value) {
    Object* o = find(music, Kind::Music);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        o->attributes[attribute] = value;
    }
    record(__func__, join({dec(std::uint64_t(music)), hex(attribute), dec(std::uint64_t(value))}),
           dec(ok));
    return ok;
}

DWORD WINAPI BASS_MusicGetAttribute(DWORD music, DWORD attribute) {
    const Object* o = find(music, Kind::Music);
    DWORD result = kFailure;
    if (!failing(__func__) && o) {
        auto it = o->attributes.find(attribute);
        // Amplification starts at 50, channel and instrument volumes at 100.
        result = it != o->attributes.end() ? it->second : (attribute == 0 ? 50 : 100);
    }
    record(__func__, join({dec(std::uint64_t(music)), hex(attribute)}), dec(std::uint64_t(result)));
    return result;
}

DWORD WINAPI BASS_StreamCreateFile(BOOL memory, const void* file, DWORD offset, DWORD length,
                                   DWORD flags) {
    DWORD handle = 0;
    const bool usable = file && (!memory || length >= 4);
    if (!failing(__func__) && usable) {
        Object stream;
        stream.kind = Kind::Stream;
        stream.flags = flags;
        stream.chans = (flags & SoundFlagMono) ? 1 : 2;
        stream.length = std::uint64_t(memory ? length : 4096) * 4;
        if (stream.chans == 1) {
            stream.length /= 2;
        }
        handle = newHandle(Kind::Stream);
        standIn().objects[handle] = stream;
    }
    record(__func__,
           join({dec(memory), block(memory, file, length), dec(std::uint64_t(offset)),
                 dec(std::uint64_t(length)), hex(flags)}),
           dec(std::uint64_t(handle)));
    return handle;
}

BOOL WINAPI BASS_StreamFree(DWORD stream) {
    const BOOL ok = !failing(__func__) && find(stream, Kind::Stream) != nullptr;
    if (ok) {
        standIn().objects.erase(stream);
    }
    record(__func__, dec(std::uint64_t(stream)), dec(ok));
    return ok;
}

BOOL WINAPI BASS_ChannelGetInfo(DWORD channel, SoundChannelInfo* info) {
    const Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o && info;
    if (ok) {
        std::memset(info, 0, sizeof *info);
        info->freq = o->freq;
        info->chans = o->chans;
        info->flags = o->flags;
        info->origres = 16;
    }
    record(__func__, join({dec(std::uint64_t(channel)), info ? "out" : "null"}), dec(ok));
    return ok;
}

BOOL WINAPI BASS_ChannelGetAttributes(DWORD channel, DWORD* freq, DWORD* volume, int* pan) {
    const Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        if (freq) {
            *freq = o->freq;
        }
        if (volume) {
            *volume = DWORD(o->volume);
        }
        if (pan) {
            *pan = o->pan;
        }
    }
    record(__func__,
           join({dec(std::uint64_t(channel)), freq ? "out" : "null", volume ? "out" : "null",
                 pan ? "out" : "null"}),
           dec(ok));
    return ok;
}

// -1 keeps the frequency and the volume, -101 the pan.
BOOL WINAPI BASS_ChannelSetAttributes(DWORD channel, int freq, int volume, int pan) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        if (freq != -1) {
            o->freq = freq == 0 ? 44100 : DWORD(freq);
        }
        if (volume != -1) {
            o->volume = volume;
        }
        if (pan != -101) {
            o->pan = pan;
        }
        o->sliding = 0;
    }
    record(__func__, join({dec(std::uint64_t(channel)), dec(freq), dec(volume), dec(pan)}),
           dec(ok));
    return ok;
}

// The slide never ends by itself here: the channel reports it until its
// attributes are set or it is stopped.
BOOL WINAPI BASS_ChannelSlideAttributes(DWORD channel, int freq, int volume, int pan,
                                        DWORD milliseconds) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        o->sliding = (freq != -1 ? 1 : 0) | (volume != -1 ? 2 : 0) | (pan != -101 ? 4 : 0);
    }
    record(__func__,
           join({dec(std::uint64_t(channel)), dec(freq), dec(volume), dec(pan),
                 dec(std::uint64_t(milliseconds))}),
           dec(ok));
    return ok;
}

DWORD WINAPI BASS_ChannelIsSliding(DWORD channel) {
    const Object* o = find(channel);
    const DWORD result = !failing(__func__) && o ? o->sliding : 0;
    record(__func__, dec(std::uint64_t(channel)), dec(std::uint64_t(result)));
    return result;
}

BOOL WINAPI BASS_ChannelSetFlags(DWORD channel, DWORD flags) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        o->flags = flags;
    }
    record(__func__, join({dec(std::uint64_t(channel)), hex(flags)}), dec(ok));
    return ok;
}

// Decoding streams hand out a byte ramp (byte n of the stream is n & 0xff).
DWORD WINAPI BASS_ChannelGetData(DWORD channel, void* buffer, DWORD length) {
    Object* o = find(channel);
    DWORD result = kFailure;
    if (!failing(__func__) && o && buffer && o->position < o->length) {
        const std::uint64_t left = o->length - o->position;
        result = DWORD(left < length ? left : length);
        auto* bytes = static_cast<unsigned char*>(buffer);
        for (DWORD i = 0; i < result; ++i) {
            bytes[i] = static_cast<unsigned char>((o->position + i) & 0xff);
        }
        o->position += result;
    }
    record(
        __func__,
        join({dec(std::uint64_t(channel)), buffer ? "buffer" : "null", dec(std::uint64_t(length))}),
        dec(std::uint64_t(result)));
    return result;
}

BOOL WINAPI BASS_ChannelPlay(DWORD channel, BOOL restart) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o;
    if (ok) {
        o->state = kStatePlaying;
        if (restart) {
            o->position = 0;
            o->order = o->row = 0;
        }
    }
    record(__func__, join({dec(std::uint64_t(channel)), dec(restart)}), dec(ok));
    return ok;
}

BOOL WINAPI BASS_ChannelPause(DWORD channel) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o && o->state == kStatePlaying;
    if (ok) {
        o->state = kStatePaused;
    }
    record(__func__, dec(std::uint64_t(channel)), dec(ok));
    return ok;
}

BOOL WINAPI BASS_ChannelStop(DWORD channel) {
    Object* o = find(channel);
    const BOOL ok = !failing(__func__) && o != nullptr;
    if (ok) {
        o->state = kStateStopped;
        o->sliding = 0;
    }
    record(__func__, dec(std::uint64_t(channel)), dec(ok));
    return ok;
}

DWORD WINAPI BASS_ChannelIsActive(DWORD channel) {
    const Object* o = find(channel);
    const DWORD result = !failing(__func__) && o ? o->state : kStateStopped;
    record(__func__, dec(std::uint64_t(channel)), dec(std::uint64_t(result)));
    return result;
}

std::uint64_t WINAPI BASS_ChannelGetLength(DWORD channel) {
    const Object* o = find(channel);
    const std::uint64_t result = !failing(__func__) && o ? o->length : kFailure64;
    record(__func__, dec(std::uint64_t(channel)), dec(result));
    return result;
}

std::uint64_t WINAPI BASS_ChannelGetPosition(DWORD channel) {
    const Object* o = find(channel);
    const std::uint64_t result = !failing(__func__) && o ? o->position : kFailure64;
    record(__func__, dec(std::uint64_t(channel)), dec(result));
    return result;
}

// Music takes an order and row as MAKELONG(order, row | 0x8000); everything
// else a byte position inside its length.
BOOL WINAPI BASS_ChannelSetPosition(DWORD channel, std::uint64_t position) {
    Object* o = find(channel);
    BOOL ok = FALSE;
    if (!failing(__func__) && o) {
        if (o->kind == Kind::Music && (position & 0x80000000u)) {
            const DWORD order = DWORD(position & 0xffff), row = DWORD((position >> 16) & 0x7fff);
            ok = order < kMusicOrders && row < 64;
            if (ok) {
                o->order = order;
                o->row = row;
            }
        } else if (position <= o->length) {
            o->position = position;
            ok = TRUE;
        }
    }
    record(__func__, join({dec(std::uint64_t(channel)), dec(position)}), dec(ok));
    return ok;
}

std::uint64_t WINAPI BASS_ChannelSeconds2Bytes(DWORD channel, float seconds) {
    const Object* o = find(channel);
    std::uint64_t result = kFailure64;
    if (!failing(__func__) && o) {
        const std::uint64_t frame = o->chans * 2;
        const double bytes = double(seconds) * bytesPerSecond(*o);
        result = bytes <= 0 ? 0 : std::uint64_t(bytes) / frame * frame;
    }
    record(__func__, join({dec(std::uint64_t(channel)), flt(seconds)}), dec(result));
    return result;
}

float WINAPI BASS_ChannelBytes2Seconds(DWORD channel, std::uint64_t bytes) {
    const Object* o = find(channel);
    const float result =
        !failing(__func__) && o ? float(double(bytes) / bytesPerSecond(*o)) : -1.0f;
    record(__func__, join({dec(std::uint64_t(channel)), dec(bytes)}), flt(result));
    return result;
}

// Test controls.

const char* WINAPI StandIn_TakeLog(void) {
    StandIn& s = standIn();
    s.taken.swap(s.log);
    s.log.clear();
    return s.taken.c_str();
}

void WINAPI StandIn_SetVersion(DWORD version) {
    standIn().version = version;
}

void WINAPI StandIn_FailNext(const char* entryPoint, int count) {
    if (entryPoint) {
        standIn().failures[entryPoint] = count;
    }
}

void WINAPI StandIn_Reset(void) {
    standIn() = StandIn();
}

} // extern "C"

// Every entry point has exactly the type the engine calls it through.
#define SOUND_ENTRY_CHECK(name, result, arguments)                                                 \
    static_assert(std::is_same<decltype(&name), name##_t>::value, #name " differs from the "       \
                                                                        "engine");
SOUND_ENTRY_POINTS(SOUND_ENTRY_CHECK)
#undef SOUND_ENTRY_CHECK

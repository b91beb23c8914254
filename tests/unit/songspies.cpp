#include "songspies.h"

#include <allegro.h>
#include <dlfcn.h>

namespace {

AlertLog* alertLog = nullptr;
AudioSpy* audioSpy = nullptr;
ReadLog* readLog = nullptr;

template <class Fn>
Fn Real(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

// The pretend stream: the library's record (whose locked field points back
// here) and one transfer's buffer.
struct FakeStream {
    AUDIOSTREAM stream;
    std::vector<uint16_t> buffer;
};

}  // namespace

AlertLog::AlertLog() { alertLog = this; }
AlertLog::~AlertLog() { alertLog = nullptr; }
AudioSpy::AudioSpy() { audioSpy = this; }
AudioSpy::~AudioSpy() { audioSpy = nullptr; }
ReadLog::ReadLog() { readLog = this; }
ReadLog::~ReadLog() { readLog = nullptr; }

extern "C" int alert(const char* s1, const char* s2, const char* s3, const char* b1,
                     const char* b2, int c1, int c2)
{
    if (alertLog) {
        alertLog->messages.push_back(s1 ? s1 : "");
        return 1;
    }
    static auto real = Real<int (*)(const char*, const char*, const char*, const char*,
                                    const char*, int, int)>("alert");
    return real(s1, s2, s3, b1, b2, c1, c2);
}

extern "C" AUDIOSTREAM* play_audio_stream(int len, int bits, int stereo, int freq, int vol,
                                          int pan)
{
    if (!audioSpy) {
        static auto real = Real<AUDIOSTREAM* (*)(int, int, int, int, int, int)>(
            "play_audio_stream");
        return real(len, bits, stereo, freq, vol, pan);
    }
    AudioSpy& spy = *audioSpy;
    spy.streams++;
    spy.len = len, spy.bits = bits, spy.stereo = stereo, spy.freq = freq, spy.vol = vol,
    spy.pan = pan;
    if (spy.refuse)
        return nullptr;
    FakeStream* fake = new FakeStream();
    fake->stream.len = len;
    fake->stream.bufcount = 1;
    fake->stream.locked = fake;
    fake->buffer.assign(size_t(len) * (stereo ? 2 : 1), 0);
    return &fake->stream;
}

extern "C" void* get_audio_stream_buffer(AUDIOSTREAM* stream)
{
    if (!audioSpy) {
        static auto real = Real<void* (*)(AUDIOSTREAM*)>("get_audio_stream_buffer");
        return real(stream);
    }
    if (audioSpy->grants <= 0)
        return nullptr;
    audioSpy->grants--;
    return static_cast<FakeStream*>(stream->locked)->buffer.data();
}

extern "C" void free_audio_stream_buffer(AUDIOSTREAM* stream)
{
    if (!audioSpy) {
        static auto real = Real<void (*)(AUDIOSTREAM*)>("free_audio_stream_buffer");
        return real(stream);
    }
    const std::vector<uint16_t>& buffer = static_cast<FakeStream*>(stream->locked)->buffer;
    if (audioSpy->played.empty() && readLog)
        audioSpy->readsBeforeFirstSound = int(readLog->results.size());
    audioSpy->played.insert(audioSpy->played.end(), buffer.begin(), buffer.end());
}

extern "C" void stop_audio_stream(AUDIOSTREAM* stream)
{
    if (!audioSpy) {
        static auto real = Real<void (*)(AUDIOSTREAM*)>("stop_audio_stream");
        return real(stream);
    }
    audioSpy->stopped = true;
    delete static_cast<FakeStream*>(stream->locked);
}

extern "C" long pack_fread(void* p, long n, PACKFILE* f)
{
    static auto real = Real<long (*)(void*, long, PACKFILE*)>("pack_fread");
    long result = real(p, n, f);
    if (readLog)
        readLog->results.push_back(result);
    return result;
}

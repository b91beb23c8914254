#include "spies.h"

#include <allegro.h>
#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>

#include "app/globals.h"

std::function<int(int)> modeHook;
std::vector<std::string> libraryMessages;

namespace {

SoundLog* soundLog = nullptr;

template <class Fn>
Fn Real(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

int IndexOf(const void* object)
{
    for (int i = 0; thedata && i < DATA_COUNT; i++)
        if (thedata[i].dat == object)
            return i;
    return -1;
}

void Log(const char* format, int a = 0, int b = 0, int c = 0, int d = 0, int e = 0)
{
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c, d, e);
    soundLog->calls.push_back(line);
}

}  // namespace

SoundLog::SoundLog()
{
    soundLog = this;
}

SoundLog::~SoundLog()
{
    soundLog = nullptr;
}

int FakeModeRequest(bool granted)
{
    if (screen)
        destroy_bitmap(screen);
    screen = granted ? create_bitmap_ex(get_color_depth(), 640, 480) : nullptr;
    if (screen)
        clear_to_color(screen, 0);
    return granted ? 0 : -1;
}

extern "C" int set_gfx_mode(int card, int w, int h, int v_w, int v_h)
{
    if (modeHook)
        return modeHook(card);
    static auto real = Real<int (*)(int, int, int, int, int)>("set_gfx_mode");
    return real(card, w, h, v_w, v_h);
}

extern "C" void set_volume(int digi, int midi)
{
    if (soundLog)
        return Log("set_volume %d %d", digi, midi);
    static auto real = Real<void (*)(int, int)>("set_volume");
    real(digi, midi);
}

extern "C" int play_sample(const SAMPLE* sample, int vol, int pan, int freq, int loop)
{
    if (soundLog) {
        Log("play_sample %d %d %d %d %d", IndexOf(sample), vol, pan, freq, loop);
        return 0;
    }
    static auto real = Real<int (*)(const SAMPLE*, int, int, int, int)>("play_sample");
    return real(sample, vol, pan, freq, loop);
}

extern "C" int play_midi(MIDI* midi, int loop)
{
    if (soundLog) {
        Log("play_midi %d %d", IndexOf(midi), loop);
        midi_pos = 0;
        return 0;
    }
    static auto real = Real<int (*)(MIDI*, int)>("play_midi");
    return real(midi, loop);
}

extern "C" void stop_midi()
{
    if (soundLog) {
        Log("stop_midi");
        midi_pos = -1;
        return;
    }
    static auto real = Real<void (*)()>("stop_midi");
    real();
}

extern "C" void allegro_message(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    libraryMessages.push_back(text);
}

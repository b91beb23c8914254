// Stand-ins for the library's mode request, its sound calls and its message
// box, interposed in
// the test binary: each forwards to the library until a test installs its
// hook (through the guards below, which take it away again), so code that
// changes the graphics mode or plays sound can be run and watched in a test.
#ifndef ORBITPUB_TESTS_SPIES_H
#define ORBITPUB_TESTS_SPIES_H

#include <functional>
#include <string>
#include <vector>

// Answers set_gfx_mode(card, ...) while set; the depth asked for is the
// library's get_color_depth(). Reset by the guard.
extern std::function<int(int card)> modeHook;

struct ModeHookGuard {
    explicit ModeHookGuard(std::function<int(int)> hook) { modeHook = std::move(hook); }
    ~ModeHookGuard() { modeHook = nullptr; }
};

// What a mode request does in the library, for a hook to answer with:
// granted, a fresh black 640 x 480 memory screen at the depth set (returns 0);
// refused, no screen at all (returns -1).
int FakeModeRequest(bool granted);

// While a SoundLog lives, set_volume, play_sample, play_midi and stop_midi
// are written into it instead of reaching the library, one line per call with
// data-file objects by their data.dat index ("play_sample 43 255 128 1000 0",
// "play_midi 32 1", "set_volume 255 128", "stop_midi"). play_midi and
// stop_midi move midi_pos as the library does (0 playing, -1 stopped).
struct SoundLog {
    std::vector<std::string> calls;
    SoundLog();
    ~SoundLog();
};

// allegro_message never shows its box in a test (it would wait for a click):
// each message is kept here instead. Cleared by the tests that look at it.
extern std::vector<std::string> libraryMessages;

#endif

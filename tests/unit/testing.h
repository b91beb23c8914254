// Shared test support: the library brought up without a window (a memory
// bitmap stands in for the screen), and a hook on the library's rest() so a
// test can drive time-based code step by step through the key table.
#ifndef ORBITPUB_TESTS_TESTING_H
#define ORBITPUB_TESTS_TESTING_H

#include <allegro.h>

#include <functional>

// Called with each rest() the game makes while set; the real sleep is skipped
// while a hook is set. Reset by each test that sets it (use RestHookGuard).
extern std::function<void(unsigned int)> restHook;

struct RestHookGuard {
    explicit RestHookGuard(std::function<void(unsigned int)> hook) { restHook = std::move(hook); }
    ~RestHookGuard() { restHook = nullptr; }
};

// A fresh 640 x 480 32-bit memory screen, cleared to black, and all keys up.
void ResetScreen();

// The pixel colour at (x, y) of the stand-in screen as (r, g, b).
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
Rgb PixelAt(BITMAP* bmp, int x, int y);

// Loads the built data.dat and data2.dat into thedata and thedata1 once for
// the whole run (the working directory is left as it was); fails the test
// when they cannot be loaded.
void LoadTestData();

#endif

// The start of every benchmark program: the library, a 32-bit window when
// there is an X display, the game's data files from the build's game folder;
// then the benchmarks run and the data goes again.
#pragma once

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/datafiles.h"
#include "app/globals.h"

// Without a window the benchmarks that need one skip themselves; with
// memoryScreen the others draw into a memory bitmap of the window's size.
inline int RunBenchmarks(int argc, char** argv, bool memoryScreen)
{
    benchmark::Initialize(&argc, argv);
    set_uformat(U_ASCII);
    if (allegro_init() != 0) {
        std::fprintf(stderr, "the library cannot start (no X display?) %s\n", allegro_error);
        return 1;
    }
    install_timer();
    set_color_depth(32);
    const char* display = std::getenv("DISPLAY");
    if (display && *display && set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
        std::fprintf(stderr, "no window: %s\n", allegro_error);
    if (!screen && memoryScreen)
        screen = create_bitmap(640, 480);
    if (chdir(GAME_DIR) != 0) {
        std::fprintf(stderr, "no game folder %s\n", GAME_DIR);
        return 1;
    }
    std::string why;
    if (!LoadGameData(why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    oldfont = font;
    std::printf("screen: %s\n", !screen ? "none" : is_screen_bitmap(screen) ? "the window"
                                                                             : "a memory bitmap");
    benchmark::RunSpecifiedBenchmarks();
    UnloadGameData();
    return 0;
}

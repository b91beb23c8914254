// The karaoke page's frame on the game's data and lyrics: composing one
// frame (tiling the background, writing the lines through the two palettes)
// and copying it out, and the page loop as the program runs it (compose,
// copy to the window, rest(1)), whose rate is the page's frames per second.
// Run it under an X server (tests/with_xvfb.sh) for the window benchmark.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "bench/startup.h"
#include "song/karaoke.h"

namespace {

// The page of the first karaoke song, sized as the song menu sizes it, half
// way through the song (scrolling, both colours on the page).
struct Page {
    Karaoke* karaoke = nullptr;
    int x = 0;
};

Page MakePage()
{
    Page page;
    page.karaoke = new Karaoke("lyrics.txt", (FONT*)thedata1[DAT2_LYRICS_FONT].dat,
                               DATA2_PALETTE(DAT2_SUNG_PALETTE),
                               DATA2_PALETTE(DAT2_UNSUNG_PALETTE),
                               DATA_MIDI(DAT_SONG_PITCH1_MELODY));
    int w = page.karaoke->Width();
    page.karaoke->CreateWindow(w + 40, 400, DATA2_BITMAP(DAT2_LYRICS_TILE));
    page.x = 300 - w / 2;
    midi_pos = (page.karaoke->startTime + page.karaoke->lastTime) / 2;
    return page;
}

void ComposeAndCopy(benchmark::State& state)
{
    Page page = MakePage();
    BITMAP* target = create_bitmap(640, 480);
    for (auto _ : state) {
        page.karaoke->ComposeFrame();
        blit(page.karaoke->workarea, target, 0, 0, page.x, 40, page.karaoke->workarea->w,
             page.karaoke->workarea->h);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(target);
    delete page.karaoke;
}
BENCHMARK(ComposeAndCopy)->Unit(benchmark::kMicrosecond);

void PageLoopInTheWindow(benchmark::State& state)
{
    if (!screen || !is_screen_bitmap(screen)) {
        state.SkipWithError("no window (run under an X server)");
        return;
    }
    Page page = MakePage();
    for (auto _ : state) {
        page.karaoke->ComposeFrame();
        blit(page.karaoke->workarea, screen, 0, 0, page.x, 40, page.karaoke->workarea->w,
             page.karaoke->workarea->h);
        rest(1);
    }
    state.SetItemsProcessed(state.iterations());  // frames
    delete page.karaoke;
}
BENCHMARK(PageLoopInTheWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, false);
}

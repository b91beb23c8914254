// One aiming frame of the game (Game::DrawItems on a full field of 90 items,
// the wheel turned, both characters, the next item shown) composed and
// copied to the screen, beside a baseline that makes the same library calls
// directly: one 240 x 400 blit, one rotate_sprite, 95 draw_sprite and one
// blit to the screen. Under an X server (tests/with_xvfb.sh) the screen is
// the game's window; without one, a memory bitmap.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "bench/startup.h"
#include "game/classes.h"

namespace {

struct FullField {
    Place places[PLACE_COUNT];
    Game* game;
    FullField()
    {
        BuildField(places);
        game = new Game(places, 200, 40);
        for (int i = 0; i < PLACE_COUNT; i++)
            places[i].NewBall(i % KIND_COUNT);
        game->loaded = game->LoadNext(MakeBall(2));
        game->next = MakeBall(5);
        game->next->Set(74, 384);
        game->clock = 0.7;  // the wheel turned
        timer_cnt = 40;     // Gurk done loading, the next item shown
    }
    ~FullField()
    {
        game->ClearField();
        delete game->loaded;
        delete game->next;
        delete game;
    }
};

void GameFrame(benchmark::State& state)
{
    FullField field;
    for (auto _ : state) {
        field.game->DrawItems();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(GameFrame)->Unit(benchmark::kMicrosecond);

void BaselineFrame(benchmark::State& state)
{
    BITMAP* background = DATA_BITMAP(DAT_FIELD_BACKGROUND);
    BITMAP* wheel = DATA_BITMAP(DAT_ARROW_WHEEL);
    BITMAP* sheet = DATA_BITMAP(DAT_ITEM_SHEET);
    BITMAP* item = create_sub_bitmap(sheet, 30, 30, 30, 30);
    BITMAP* buffer = create_bitmap(240, 400);
    for (auto _ : state) {
        blit(background, buffer, 0, 0, 0, 0, 240, 400);
        rotate_sprite(buffer, wheel, 79, 288, ftofix(0.7 * 40.74366543152521));
        for (int i = 0; i < 95; i++)
            draw_sprite(buffer, item, (i % 8) * 30, (i / 8) * 27);
        blit(buffer, screen, 0, 0, 200, 40, 240, 400);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(buffer);
    destroy_bitmap(item);
}
BENCHMARK(BaselineFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, true);
}

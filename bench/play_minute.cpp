// A scripted minute of play in the game's window with the real timers:
// level 1 over and over, a shot fired at a varying moment of each aiming
// phase. Counted at every rest() the game makes (this program's rest() wraps
// the library's):
//   on_tick   share of aiming and flight frames that ended on their own 20 ms
//             tick (the removal and burst animations pace themselves and are
//             not frames of this kind);
//   aim_cpu   share of one core the whole process (all threads) took while
//             aiming, from getrusage over the aiming stretches.
// Run it under an X server: tests/with_xvfb.sh build/bench/play_minute
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <chrono>

#include "app/globals.h"
#include "bench/startup.h"
#include "game/classes.h"
#include "session/play.h"

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double CpuSeconds()
{
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Player {
    Game* game = nullptr;
    Ball* turn = nullptr;       // the item of the turn being aimed
    int waitFrames = 0;         // frames to aim before firing
    int aimedFrames = 0;
    int hold = 0;               // polls left with the key down
    bool inFrame = false;       // the last poll was a frame wait
    unsigned int frameTick = 0; // timer_cnt during the last frame wait
    long frames = 0, onTick = 0;
    double aimWall = 0, aimCpu = 0, lastWall = 0, lastCpu = 0;
    bool aiming = false;
    double end = 0;             // then the escape key ends the game

    void Poll(unsigned int ms)
    {
        Ball* b = game ? game->loaded : nullptr;
        bool frameWait = b && timer_cnt2 > 0;
        bool nowAiming = frameWait && b->dx == 0 && b->dy == 0;
        double wall = Now(), cpu = CpuSeconds();
        if (aiming && nowAiming) {
            aimWall += wall - lastWall;
            aimCpu += cpu - lastCpu;
        }
        aiming = nowAiming;
        lastWall = wall;
        lastCpu = cpu;

        if (frameWait) {
            unsigned int tick = timer_cnt;
            if (!inFrame || tick != frameTick) {  // a new frame's wait
                if (inFrame && tick > frameTick) {
                    frames++;
                    onTick += tick - frameTick == 1;
                }
                frameTick = tick;
                if (nowAiming && b != turn) {
                    turn = b;
                    aimedFrames = 0;
                    waitFrames = 10 + std::rand() % 120;
                }
                if (nowAiming && ++aimedFrames == waitFrames) {
                    key[KEY_SPACE] = 1;
                    hold = 30;
                }
            }
        }
        inFrame = frameWait;

        if (nowAiming && wall > end)
            key[KEY_ESC] = 1;
        if (hold > 0 && --hold == 0)
            key[KEY_SPACE] = 0;
    }
};

Player player;

}  // namespace

extern "C" void rest(unsigned int time)
{
    using RestFn = void (*)(unsigned int);
    static RestFn real = reinterpret_cast<RestFn>(dlsym(RTLD_NEXT, "rest"));
    player.Poll(time);
    real(time);
}

namespace {

void PlayMinute(benchmark::State& state)
{
    if (!screen || !is_screen_bitmap(screen)) {
        state.SkipWithError("no window (run under an X server)");
        return;
    }
    for (auto _ : state) {
        Place places[PLACE_COUNT];
        BuildField(places);
        Game game(places, 200, 40);
        player = Player();
        player.game = &game;
        std::srand(3);
        player.end = Now() + 60;
        int levels = 0;
        for (int result = 0; result != 2; levels++) {
            game.ClearField();
            LayOutLevel(places, 1);
            result = game.Play(1000);
        }
        key[KEY_ESC] = 0;
        game.ClearField();
        player.game = nullptr;
        state.counters["levels"] = levels;
        state.counters["frames"] = player.frames;
        state.counters["on_tick_%"] = 100.0 * player.onTick / (player.frames ? player.frames : 1);
        state.counters["aim_cpu_%"] = 100.0 * player.aimCpu / (player.aimWall ? player.aimWall : 1);
    }
}
BENCHMARK(PlayMinute)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, false);
}

// Bursts of late shots and what they do to the arrow's swing.
#include <cstdlib>

#include "app/globals.h"
#include "game/classes.h"

namespace {

// Centres of the seven splash pictures, from their top-left corners.
const int burstOffsetX[7] = {25, 33, 50, 62, 51, 96, 77};
const int burstOffsetY[7] = {22, 28, 38, 31, 50, 38, 32};

// A fresh phase from 0 to 2 radians. rand() % 32768 keeps the fraction in
// range whatever the C library's RAND_MAX.
double RandomPhase()
{
    return 2.0 * (std::rand() % 32768) / 32767.0;
}

}  // namespace

bool Game::LateShotBursts()
{
    return timer_cnt > 200u && std::rand() % 10 <= 2;
}

void Game::Explode()
{
    delete lastPlace->ball;
    lastPlace->ball = nullptr;
    PlayEffect(DAT_SAMPLE_BURST);

    int cx = lastPlace->x, cy = lastPlace->y;
    int dx = 120 - cx, dy = 360 - cy;
    for (int k = 0; k < 7; k++) {
        Compose(nullptr, true);
        draw_sprite(buffer, DATA_BITMAP(DAT_BURST_FIRST + k), cx + (k * dx) / 6 - burstOffsetX[k],
                    cy + (k * dy) / 6 - burstOffsetY[k]);
        vsync();
        blit(buffer, screen, 0, 0, fieldX, fieldY, 240, 400);
        rest(150);
    }
    explosions++;
}

void Game::SetOscillators()
{
    int d = explosions;
    if (d == 0) {
        swing1.set(1, 1, RandomPhase());
        swing2.set(0, 2, 0);
        swing3.set(0, 3, 0);
    } else if (d <= 5) {
        swing1.set(0.75 - (d - 1) * 0.25 / 4, 1, RandomPhase());
        swing2.set((d - 1) * 0.25 / 4 + 0.25, 2, RandomPhase());
        swing3.set(0, 3, 0);
    } else if (d <= 10) {
        double faster = (d - 6) * 0.1 / 4 + 0.25;
        swing1.set(0.5 - (d - 6) * 0.2 / 4, 1, RandomPhase());
        swing2.set(faster, 2, RandomPhase());
        swing3.set(faster, 3, RandomPhase());
    } else {
        swing2.shift(0.05);
        swing3.shift(-0.05);
    }

    Sine* swings[3] = {&swing1, &swing2, &swing3};
    Sine* sways[3] = {&sway1, &sway2, &sway3};
    for (int i = 0; i < 3; i++) {
        swayTemp = swings[i]->Derived();
        *sways[i] = swayTemp.Derived();
    }
}

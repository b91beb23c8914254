// Drunkenness: the burst rule, the swing amplitudes for each number of
// bursts, the phases drawn, and the splash.
#include <cmath>

#include "gamefixture.h"

// The memory screen has no graphics driver to wait for a retrace on: the
// test binary's vsync() only counts the waits.
static int vsyncs = 0;
extern "C" void vsync(void)
{
    vsyncs++;
}

namespace {

using DrunkTest = GameTest;

TEST_F(DrunkTest, OnlyShotsOverTwoHundredTicksMayBurst)
{
    for (unsigned int seed = 1; seed <= 50; seed++) {
        timer_cnt = 200;
        std::srand(seed);
        EXPECT_FALSE(game->LateShotBursts());
        int untouched = std::rand();
        std::srand(seed);
        EXPECT_EQ(std::rand(), untouched) << "no random number for a quick shot";
    }
    int bursts = 0;
    timer_cnt = 201;
    std::srand(7);
    for (int i = 0; i < 1000; i++)
        bursts += game->LateShotBursts();
    EXPECT_NEAR(bursts, 300, 60);
    // Exactly the 3 in 10 of the draws.
    std::srand(9);
    for (int i = 0; i < 20; i++) {
        int draw = std::rand();
        std::srand(9);
        for (int j = 0; j < i; j++)
            std::rand();
        EXPECT_EQ(game->LateShotBursts(), draw % 10 <= 2);
    }
}

TEST_F(DrunkTest, AmplitudesForEachNumberOfBursts)
{
    const double table[13][3] = {
        {1, 0, 0},           {0.75, 0.25, 0},        {0.6875, 0.3125, 0},  {0.625, 0.375, 0},
        {0.5625, 0.4375, 0}, {0.5, 0.5, 0},          {0.5, 0.25, 0.25},    {0.45, 0.275, 0.275},
        {0.4, 0.3, 0.3},     {0.35, 0.325, 0.325},   {0.3, 0.35, 0.35},    {0.3, 0.35, 0.35},
        {0.3, 0.35, 0.35},
    };
    for (int d = 0; d <= 12; d++) {
        double phase2 = game->swing2.phase, phase3 = game->swing3.phase;
        game->explosions = d;
        game->SetOscillators();
        const Sine* swings[] = {&game->swing1, &game->swing2, &game->swing3};
        const Sine* sways[] = {&game->sway1, &game->sway2, &game->sway3};
        for (int k = 0; k < 3; k++) {
            EXPECT_NEAR(swings[k]->amplitude, table[d][k], 1e-12) << d << " swing" << k + 1;
            EXPECT_EQ(swings[k]->frequency, k + 1.0);
            // The sway is the second derivative: a w^2, the same w, phase + pi.
            EXPECT_NEAR(sways[k]->amplitude, table[d][k] * (k + 1) * (k + 1), 1e-12) << d;
            EXPECT_EQ(sways[k]->frequency, k + 1.0);
            EXPECT_NEAR(sways[k]->phase, swings[k]->phase + M_PI, 1e-12) << d;
        }
        if (d > 10) {  // only the faster phases drift apart
            EXPECT_NEAR(game->swing2.phase, phase2 + 0.05, 1e-12);
            EXPECT_NEAR(game->swing3.phase, phase3 - 0.05, 1e-12);
        }
        if (d == 0)
            EXPECT_EQ(game->swing2.phase, 0.0);
    }
}

// The library's RAND_MAX is far above 32767 here: phases must still lie
// between 0 and 2 radians.
TEST_F(DrunkTest, RandomPhasesStayBetweenZeroAndTwo)
{
    ASSERT_GT(RAND_MAX, 32767);
    double lowest = 9, highest = -9;
    for (int i = 0; i < 300; i++) {
        game->explosions = i % 11;
        game->SetOscillators();
        for (const Sine* s : {&game->swing1, &game->swing2, &game->swing3}) {
            if (s->amplitude == 0)
                continue;
            lowest = std::min(lowest, s->phase);
            highest = std::max(highest, s->phase);
        }
    }
    EXPECT_GE(lowest, 0.0);
    EXPECT_LE(highest, 2.0);
    EXPECT_GT(highest - lowest, 1.8);  // spread over the range
}

TEST_F(DrunkTest, BurstEmptiesThePlaceInSevenPicturesAndCounts)
{
    Lay({{11, 2}, {0, 1}});
    game->lastPlace = &places[11];
    int pictures = 0;
    RestHookGuard hook([&](unsigned int ms) { pictures += ms == 150; });
    vsyncs = 0;
    game->Explode();
    EXPECT_EQ(pictures, 7);
    EXPECT_EQ(vsyncs, 7);
    EXPECT_EQ(places[11].ball, nullptr);
    EXPECT_NE(places[0].ball, nullptr);
    EXPECT_EQ(game->explosions, 1);
}

}  // namespace

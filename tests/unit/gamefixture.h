// A field of 90 wired places and a level engine on the game's real data,
// for the engine's tests. The rest() hook stands in for the 20 ms timer
// where a test lets the engine run frames (TickPerRest).
#ifndef ORBITPUB_TESTS_GAMEFIXTURE_H
#define ORBITPUB_TESTS_GAMEFIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "app/globals.h"
#include "game/classes.h"
#include "testing.h"

struct GameTest : ::testing::Test {
    Place places[PLACE_COUNT];
    Game* game = nullptr;

    void SetUp() override
    {
        LoadTestData();
        ResetScreen();
        if (!oldfont)
            oldfont = font;
        BuildField(places);
        game = new Game(places, 200, 40);
        gv.escaping = false;
        timer_cnt = 0;
        timer_cnt2 = 0;
        std::srand(1);
    }
    void TearDown() override
    {
        game->ClearField();
        delete game->loaded;
        delete game->next;
        delete game;
    }

    // Puts items of the given kinds on the given places.
    void Lay(std::initializer_list<std::pair<int, int>> placeKinds)
    {
        for (auto& pk : placeKinds)
            ASSERT_EQ(places[pk.first].NewBall(pk.second), 1) << pk.first;
    }
    int Count() const
    {
        int n = 0;
        for (const Place& p : places)
            n += p.ball != nullptr;
        return n;
    }
};

// Each rest() the engine makes is one tick of the 20 ms timer.
inline void TickPerRest(unsigned int)
{
    my_timer();
}

#endif

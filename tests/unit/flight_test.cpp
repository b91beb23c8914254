// Flight: contact distance, the choice of place, the side walls, a straight
// shot up an empty field, and the leave question asked during a flight.
#include <algorithm>
#include <vector>

#include "gamefixture.h"

namespace {

using FlightTest = GameTest;

TEST_F(FlightTest, ContactIsStrictlyNearerThanThirty)
{
    Lay({{20, 1}});
    game->loaded = MakeBall(2);
    struct {
        double dx;
        bool hit;
    } cases[] = {{30.0, false}, {29.99, true}, {-29.99, true}, {-30.0, false}};
    for (auto& c : cases) {
        game->loaded->x = places[20].x + c.dx;
        game->loaded->y = places[20].y;
        EXPECT_EQ(game->CheckHits(), c.hit) << c.dx;
    }
}

TEST_F(FlightTest, FixBallTakesTheNearestFreePlaceLowestIndexOnTies)
{
    struct {
        double x, y;
        int taken;  // a place already holding an item, or -1
        int place;
    } cases[] = {
        {120, 15, -1, 3},  // 3 (105) and 4 (135) tie: the lower index wins
        {120, 10, -1, 3},
        {136, 16, -1, 4},
        {45, 28.5, -1, 1},
        {30, 41, -1, 8},
        {105, 20, 3, 10},  // 3 is taken: 10 and 11 tie and beat 2 and 4
        {15, 15, 0, 1},
    };
    for (auto& c : cases) {
        game->ClearField();
        if (c.taken >= 0)
            places[c.taken].NewBall(0);
        Ball* b = MakeBall(5);
        b->x = c.x;
        b->y = c.y;
        game->FixBall(b);
        EXPECT_EQ(game->lastPlace, &places[c.place]) << c.x << "," << c.y;
        EXPECT_EQ(places[c.place].ball, b);
        EXPECT_EQ(b->x, places[c.place].x);
        EXPECT_EQ(b->y, places[c.place].y);
    }
}

TEST_F(FlightTest, SideWallsReflect)
{
    struct {
        double x, dx, newX, newDx;
    } cases[] = {{13.0, -5, 17.0, 5}, {15.0, -5, 15.0, -5}, {227.0, 5, 223.0, -5},
                 {225.0, 5, 225.0, 5}, {120.0, 3, 120.0, 3}};
    Ball b(0);
    for (auto& c : cases) {
        b.x = c.x;
        b.dx = c.dx;
        b.Bounce();
        EXPECT_EQ(b.x, c.newX) << c.x;
        EXPECT_EQ(b.dx, c.newDx) << c.x;
    }
}

// The item as each flight frame draws it.
struct Track {
    Game* game;
    std::vector<double> xs, ys;
    void operator()(unsigned int)
    {
        if (game->loaded) {
            xs.push_back(game->loaded->x);
            ys.push_back(game->loaded->y);
        }
        my_timer();
    }
};

TEST_F(FlightTest, StraightUpAnEmptyFieldToTheTopRow)
{
    Track track{game, {}, {}};
    RestHookGuard hook(std::ref(track));
    game->loaded = game->LoadNext(MakeBall(6));
    game->angle = 0;
    Ball* flown = game->loaded;
    game->Fly();

    // 355, 350, ... 15 drawn; the move to 10 ends the flight at the top.
    ASSERT_EQ(track.ys.size(), 69u);
    for (size_t i = 0; i < track.ys.size(); i++) {
        EXPECT_EQ(track.ys[i], 355.0 - 5 * i);
        EXPECT_EQ(track.xs[i], 120.0);
    }
    EXPECT_EQ(game->lastPlace, &places[3]);
    EXPECT_EQ(places[3].ball, flown);
    EXPECT_EQ(game->loaded, nullptr);
}

TEST_F(FlightTest, AWallShotComesBackOffTheLeftWall)
{
    Track track{game, {}, {}};
    RestHookGuard hook(std::ref(track));
    game->loaded = game->LoadNext(MakeBall(6));
    game->angle = -1.0;
    game->Fly();
    ASSERT_GT(track.xs.size(), 3u);
    double lowest = 999, highest = -999;
    for (double x : track.xs) {
        lowest = std::min(lowest, x);
        highest = std::max(highest, x);
    }
    EXPECT_GE(lowest, 15.0);  // reflected, never drawn beyond a wall
    EXPECT_LT(lowest, 20.0);
    EXPECT_LE(highest, 225.0);
    EXPECT_EQ(game->lastPlace->y, 15);
}

// The player during a flight: lets go of the shot's press, presses again
// after a few frames and then answers the question.
struct Asker {
    Game* game;
    int answer;  // 0 "Yes", 1 "No"
    bool closeButton = false;  // asks with the window's close button instead
    int frames = 0;
    int menuPolls = 0;
    bool asked = false;
    void operator()(unsigned int ms)
    {
        if (ms == 10) {  // the question's highlight walk: 50 polls per entry
            if (menuPolls++ == 50 * answer + 10)
                key[KEY_SPACE] = 1;
            my_timer();  // the ticks go on while the question is up
            return;
        }
        if (asked) {
            key[KEY_SPACE] = 0;  // let go after the question
        } else if (++frames == 5) {
            if (closeButton)
                gv.escaping = true;  // as SetEscaping does, in the middle of a frame
            else
                key[KEY_SPACE] = 1;
            asked = true;
            timer_cnt = 77;
        } else {
            key[KEY_SPACE] = 0;
        }
        my_timer();
    }
};

TEST_F(FlightTest, SecondPressAsksAndNoGoesOn)
{
    Asker asker{game, 1};
    RestHookGuard hook(std::ref(asker));
    key[KEY_SPACE] = 1;  // still held from the shot: not a question
    game->loaded = game->LoadNext(MakeBall(1));
    game->angle = 0;
    game->Fly();
    EXPECT_GT(asker.menuPolls, 50);
    EXPECT_FALSE(gv.escaping);
    EXPECT_EQ(game->lastPlace, &places[3]);  // flew on to the top
    // The question's time did not count: one tick per frame after it.
    EXPECT_LT(timer_cnt, 77u + 70u);
}

TEST_F(FlightTest, SecondPressAsksAndYesFixesInMidAir)
{
    Asker asker{game, 0};
    RestHookGuard hook(std::ref(asker));
    game->loaded = game->LoadNext(MakeBall(1));
    game->angle = 0;
    game->Fly();
    EXPECT_TRUE(gv.escaping);
    // Stopped near y = 330: the nearest free place is on the bottom rows.
    EXPECT_GE(game->lastPlace - places, 75);
}

TEST_F(FlightTest, CloseButtonInFlightAsksToo)
{
    for (int answer : {0, 1}) {
        game->ClearField();
        Asker asker{game, answer};
        asker.closeButton = true;
        RestHookGuard hook(std::ref(asker));
        game->loaded = game->LoadNext(MakeBall(1));
        game->angle = 0;
        game->Fly();
        EXPECT_GT(asker.menuPolls, 10) << answer;
        EXPECT_EQ(gv.escaping, answer == 0) << answer;
        EXPECT_EQ(game->lastPlace == &places[3], answer == 1) << answer;
    }
}

TEST_F(FlightTest, CloseButtonDuringAimingIsForgotten)
{
    Track track{game, {}, {}};
    RestHookGuard hook(std::ref(track));
    gv.escaping = true;  // clicked before the flight
    game->loaded = game->LoadNext(MakeBall(1));
    game->angle = 0;
    game->Fly();
    EXPECT_FALSE(gv.escaping);
    EXPECT_EQ(game->lastPlace, &places[3]);
}

}  // namespace

// Whole levels with the real 20 ms and one-second timers: a scripted player
// that watches the arrow and presses space (through the key table) when it
// points where a shot does most good, and a player who gives up in flight.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gamefixture.h"
#include "session/play.h"

namespace {

// Where a shot along angle ends up on the field as it lies, by the game's
// own rules of flight: 5 pixels a frame, walls at 15 and 225, contact
// nearer than 30, the top at 14, then the nearest free place.
int Landing(Place* places, double angle)
{
    double x = 120, y = 355, dx = std::sin(angle) * 5.0, dy = std::cos(angle) * -5.0;
    for (bool hit = false; y > 14.0 && !hit;) {
        x += dx;
        y += dy;
        if (x < 15.0) { x = 30 - x; dx = -dx; }
        if (x > 225.0) { x = 450 - x; dx = -dx; }
        for (int i = 0; i < PLACE_COUNT && !hit; i++)
            hit = places[i].ball && std::hypot(places[i].x - x, places[i].y - y) < 30.0;
    }
    int best = 0;
    double bestDistance = 999999.0;
    for (int i = 0; i < PLACE_COUNT; i++) {
        double d = std::hypot(places[i].x - x, places[i].y - y);
        if (!places[i].ball && d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// The places joined to from through places that pass, from included.
template <class Pass>
std::vector<bool> Reach(Place* places, std::vector<int> from, Pass pass)
{
    std::vector<bool> seen(PLACE_COUNT);
    while (!from.empty()) {
        int i = from.back();
        from.pop_back();
        if (seen[i] || !pass(i))
            continue;
        seen[i] = true;
        Place* p = &places[i];
        for (Place* q : {p->upLeft, p->upRight, p->left, p->right, p->downLeft, p->downRight})
            if (q)
                from.push_back(static_cast<int>(q - places));
    }
    return seen;
}

// How many items an item of kind on place would take away with it (0 when
// its group stays under three), and the size of that group.
int Removal(Place* places, int place, int kind, int* group)
{
    auto kindAt = [&](int i) { return i == place ? kind : places[i].ball ? places[i].ball->kind : -1; };
    std::vector<bool> inGroup = Reach(places, {place}, [&](int i) { return kindAt(i) == kind; });
    *group = 0;
    for (bool g : inGroup)
        *group += g;
    if (*group < 3)
        return 0;
    std::vector<bool> held = Reach(places, {0, 1, 2, 3, 4, 5, 6, 7},
                                   [&](int i) { return kindAt(i) >= 0 && !inGroup[i]; });
    int removed = 0;
    for (int i = 0; i < PLACE_COUNT; i++)
        removed += kindAt(i) >= 0 && !held[i];
    return removed;
}

// How good a shot along angle is: the more it removes the better, then a
// pair, high up; never the bottom rows.
int Worth(Place* places, int kind, double angle)
{
    int place = Landing(places, angle);
    int row = place / 15 * 2 + (place % 15 >= 8);
    if (row >= 9)
        return -1000;
    int group;
    int removed = Removal(places, place, kind, &group);
    return removed ? 1000 + 10 * removed : group * 20 - row;
}

// The arrow's angle frames frames after the one just drawn.
double AngleAhead(const Game* game, int frames)
{
    double t = game->clock + 0.03 * frames;
    return 1.2 * (game->swing1.elong(t) + game->swing2.elong(t) + game->swing3.elong(t));
}

// The player, called at every rest() the game makes; it sleeps for real so
// that the timers run.
struct Player {
    Game* game;
    Place* places;
    Ball* planned = nullptr;  // the item the current plan is for
    int bestWorth = 0;
    int hold = 0;             // rest() calls left before letting go of the key
    int shots = 0;
    bool giveUp = false;      // in flight: press again and answer "Yes"
    bool asked = false;
    int menuPolls = 0;
    std::vector<BITMAP*> boxes;  // the message boxes seen, rows 100 to 160

    void Press(int calls)
    {
        key[KEY_SPACE] = 1;
        hold = calls;
    }
    bool Aiming() const
    {
        Ball* b = game->loaded;
        return b && b->x == 120 && b->y == 355 && b->dx == 0 && b->dy == 0 && timer_cnt2 > 0;
    }
    bool Flying() const
    {
        Ball* b = game->loaded;
        return b && (b->dx != 0 || b->dy != 0);
    }
    // The best shot of the next three seconds, a little worse for each
    // frame it makes the player wait.
    void Plan()
    {
        planned = game->loaded;
        double best = -1e9;
        for (int k = 0; k < 150; k++) {
            int worth = Worth(places, planned->kind, AngleAhead(game, k));
            if (worth - 0.5 * k > best) {
                best = worth - 0.5 * k;
                bestWorth = worth;
            }
        }
    }
    void operator()(unsigned int ms)
    {
        if (ms == 10) {  // the leave question's highlight walk: "Yes" is lit first
            if (++menuPolls == 10)
                Press(30);
        } else if (hold > 0) {
            if (--hold == 0)
                key[KEY_SPACE] = 0;
        } else if (key[KEY_SPACE]) {
            key[KEY_SPACE] = 0;  // a message box returned with the key held
        } else if (!game->loaded && PixelAt(screen, 320, 105) == (Rgb{200, 200, 200})) {
            BITMAP* box = create_bitmap(640, 61);
            blit(screen, box, 0, 100, 0, 0, 640, 61);
            boxes.push_back(box);
            Press(5);
        } else if (Aiming()) {
            if (game->loaded != planned)
                Plan();
            // Settle for anything as the shot grows late, to keep clear of bursts.
            int slack = timer_cnt > 180 ? 2000 : 0;
            if (giveUp || Worth(places, game->loaded->kind, game->angle) >= bestWorth - slack) {
                Press(30);
                shots++;
            }
        } else if (giveUp && !asked && Flying() && game->loaded->y < 300) {
            Press(30);
            asked = true;
        }
        usleep(ms * 1000);
    }
    ~Player()
    {
        for (BITMAP* b : boxes)
            destroy_bitmap(b);
    }
};

// The message box as it must look with text, rows 100 to 160.
bool ShowsText(BITMAP* box, const char* text)
{
    BITMAP* want = create_bitmap(640, 61);
    clear_to_color(want, makecol(200, 200, 200));
    textout_centre_ex(want, font, text, 320, 20, -1, -1);
    int h = std::max(140, text_length(font, text) + 40) / 2;
    bool same = true;
    for (int y = 0; y < 61 && same; y++)
        for (int x = 320 - h; x <= 320 + h && same; x++)
            same = getpixel(box, x, y) == getpixel(want, x, y);
    destroy_bitmap(want);
    return same;
}

using LevelTest = GameTest;

TEST_F(LevelTest, ScriptedPlayerWinsLevelOneAndIsPaid)
{
    LayOutLevel(places, 1);
    Player player{game, places};
    RestHookGuard hook(std::ref(player));
    int result = game->Play(1000);
    ASSERT_EQ(result, 0) << "after " << player.shots << " shots";
    for (int i = 0; i < PLACE_COUNT; i++)
        EXPECT_EQ(places[i].ball, nullptr) << i;
    EXPECT_GT(game->score, 0);
    int left = startbonus;
    EXPECT_GT(left, 0);
    EXPECT_LT(left, 1000);
    EXPECT_EQ(left % 10, 0);

    int fromShots = game->score;
    PayBonuses(*game, 500);
    EXPECT_EQ(game->score, fromShots + 500 + left);
    ASSERT_EQ(player.boxes.size(), 2u);
    EXPECT_TRUE(ShowsText(player.boxes[0], "Level completion 500 pts"));
    char text[40];
    std::snprintf(text, sizeof text, "Time bonus %d pts", left);
    EXPECT_TRUE(ShowsText(player.boxes[1], text)) << text;
}

TEST_F(LevelTest, YesToTheLeaveQuestionLosesTheLevel)
{
    LayOutLevel(places, 1);
    Player player{game, places};
    player.giveUp = true;
    RestHookGuard hook(std::ref(player));
    EXPECT_EQ(game->Play(1000), 1);
    EXPECT_TRUE(player.asked);
    EXPECT_TRUE(gv.escaping);
    EXPECT_FALSE(gv.quitting);
    EXPECT_EQ(Count(), 9);  // the item was fixed where it hung
}

}  // namespace

#include "session/play.h"

#include <cstdio>

#include "app/globals.h"
#include "game/classes.h"
#include "session/message.h"

namespace {

const int NONE = -1;

// The layouts of levels 1 to 3, kinds by place from place 0; level 4 fills
// places 0 to 37 by a rule.
const int level1[] = {0, 1, 2, 3, 0, 1, 2, 3};
const int level2[] = {
    NONE, NONE, NONE, 0, 0, NONE, NONE, NONE,  // row 0
    NONE, NONE, NONE, 1, NONE, NONE, NONE,     // row 1
    NONE, NONE, NONE, 2, 2, NONE, NONE, NONE,  // row 2
    NONE, NONE, NONE, 3, NONE, NONE, NONE,
    NONE, NONE, NONE, 4, 4, NONE, NONE, NONE,
    NONE, NONE, NONE, 5, NONE, NONE, NONE,
    NONE, NONE, NONE, 0, 0, NONE, NONE, NONE,
    NONE, NONE, NONE, 1, NONE, NONE, NONE,
    NONE, NONE, NONE, 2, 2, NONE, NONE, NONE,  // row 8
};
const int level3[] = {
    0, NONE, 1, 8, 1, NONE, 0, NONE,
    2, NONE, 3, NONE, 3, NONE, 2,
    4, NONE, 5, NONE, 5, NONE, 4, NONE,
    6, NONE, 7, NONE, 7, NONE, 6,
};
const int level4Places = 38;

struct Level {
    int bonus;        // the time bonus it starts with
    int completion;   // paid when it is won
    const char* before;  // the message before it, if any
};
const Level levels[LEVEL_COUNT] = {
    {1000, 500, nullptr},
    {2000, 1000, "Prepare for level 2"},
    {3000, 1500, "Prepare for level 3"},
    {4000, 2000, "Prepare for last level!"},
};

template <int N>
void Lay(Place* places, const int (&kinds)[N])
{
    for (int i = 0; i < N; i++)
        if (kinds[i] != NONE)
            places[i].NewBall(kinds[i]);
}

}  // namespace

void LayOutLevel(Place* places, int level)
{
    switch (level) {
    case 1:
        Lay(places, level1);
        break;
    case 2:
        Lay(places, level2);
        break;
    case 3:
        Lay(places, level3);
        break;
    case 4:
        for (int i = 0; i < level4Places; i++)
            places[i].NewBall(((8 - 2 * i) % KIND_COUNT + KIND_COUNT) % KIND_COUNT);
        break;
    }
}

void PayBonuses(Game& game, int completionPoints)
{
    char text[64];
    PlayEffect(DAT_SAMPLE_BONUS);
    std::snprintf(text, sizeof text, "Level completion %d pts", completionPoints);
    Message(text);
    game.score += completionPoints;
    game.PrintScore();

    int timeBonus = startbonus;
    std::snprintf(text, sizeof text, "Time bonus %d pts", timeBonus);
    if (timeBonus != 0)
        PlayEffect(DAT_SAMPLE_BONUS);
    Message(text);
    game.score += timeBonus;
    game.PrintScore();
}

int Play()
{
    Place* places = new Place[PLACE_COUNT];
    BuildField(places);
    Game* game = new Game(places, 200, 40);
    blit(DATA_BITMAP(DAT_BACKGROUND), screen, 0, 0, 0, 0, 640, 480);
    game->score = 0;
    game->PrintScore();

    int r = 0;
    for (int level = 1; level <= LEVEL_COUNT && r == 0; level++) {
        const Level& l = levels[level - 1];
        if (level > 1) {
            // Level 3 clears before its message, level 2 after, and the last
            // level finds the field empty after a won level.
            if (level == 3)
                game->ClearField();
            Message(l.before);
            if (level == 2)
                game->ClearField();
        }
        LayOutLevel(places, level);
        r = game->Play(l.bonus);
        if (level < LEVEL_COUNT)
            rest(500);
        if (r == 0)
            PayBonuses(*game, l.completion);
    }
    if (r == 0)
        Message("Completed game!");
    if (r == 1)
        Message("Game Over");

    game->ClearField();
    delete game;
    delete[] places;
    return r == 2 ? 6 : 0;
}

// Groups of three or more of a kind, and the items they leave hanging.
#include "app/globals.h"
#include "game/classes.h"

namespace {

const int CLUSTER = 1;      // the place's item is in the fixed item's group
const int UNSUPPORTED = 2;  // nothing outside the group holds it to the top

}  // namespace

int Game::CheckConstel()
{
    ResetFlags(CLUSTER);
    clusterCount = 0;
    SetRecursivelyAll(lastPlace, lastPlace->ball->kind);
    if (clusterCount < 3)
        return 0;
    PlayEffect(DAT_SAMPLE_REMOVE);
    clusterCount = 0;
    SetFlags(UNSUPPORTED);
    for (int i = 0; i < 8; i++)
        ResetRecursivelyDown(&places[i]);
    PopAway();
    return (clusterCount - 1) * clusterCount;
}

void Game::ResetFlags(int mask)
{
    for (int i = 0; i < PLACE_COUNT; i++)
        places[i].flags &= ~mask;
}

void Game::SetFlags(int mask)
{
    for (int i = 0; i < PLACE_COUNT; i++)
        places[i].flags |= mask;
}

void Game::SetRecursivelyAll(Place* place, int kind)
{
    if (!place || !place->ball || place->ball->kind != kind || (place->flags & CLUSTER))
        return;
    clusterCount++;
    place->flags |= CLUSTER;
    SetRecursivelyAll(place->upLeft, kind);
    SetRecursivelyAll(place->upRight, kind);
    SetRecursivelyAll(place->left, kind);
    SetRecursivelyAll(place->right, kind);
    SetRecursivelyAll(place->downLeft, kind);
    SetRecursivelyAll(place->downRight, kind);
}

void Game::ResetRecursivelyDown(Place* place)
{
    if (!place || !place->ball || !(place->flags & UNSUPPORTED) || (place->flags & CLUSTER))
        return;
    place->flags &= ~UNSUPPORTED;
    ResetRecursivelyDown(place->downLeft);
    ResetRecursivelyDown(place->downRight);
    ResetRecursivelyDown(place->left);
    ResetRecursivelyDown(place->right);
    ResetRecursivelyDown(place->upLeft);
    ResetRecursivelyDown(place->upRight);
}

void Game::PopAway()
{
    clusterCount = 0;
    for (int i = 0; i < PLACE_COUNT; i++) {
        Place& p = places[i];
        if (p.ball && (p.flags & (CLUSTER | UNSUPPORTED))) {
            clusterCount++;
            delete p.ball;
            p.ball = nullptr;
            p.flags = 1;
        } else {
            p.flags = 0;
        }
    }

    Compose(nullptr, true);
    for (int f = 0; f < 3; f++) {
        blit(buffer, screen, 0, 0, fieldX, fieldY, 240, 400);
        BITMAP* pop = DATA2_BITMAP(DAT2_POP_FIRST + f);
        for (int i = 0; i < PLACE_COUNT; i++)
            if (places[i].flags)
                draw_sprite(screen, pop, fieldX + places[i].x - 20, fieldY + places[i].y - 20);
        rest(200);
        Frame(screen, fieldX, fieldY, fieldX + 240, fieldY + 400, makecol(40, 240, 20));
    }
}

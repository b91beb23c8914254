// The items, the places and the wiring of the grid.
#include <cmath>
#include <new>

#include "app/globals.h"
#include "game/classes.h"

Ball::Ball(int kind) : sprite(nullptr), dx(0), dy(0), x(0), y(0), kind(kind)
{
    BITMAP* sheet = thedata ? DATA_BITMAP(DAT_ITEM_SHEET) : nullptr;
    if (sheet && kind >= 0 && kind < KIND_COUNT)
        sprite = create_sub_bitmap(sheet, (kind / 3) * ITEM_SIZE, (kind % 3) * ITEM_SIZE,
                                   ITEM_SIZE, ITEM_SIZE);
}

Ball::~Ball()
{
    if (sprite)
        destroy_bitmap(sprite);
}

void Ball::Set(int x, int y)
{
    this->x = x;
    this->y = y;
}

void Ball::Draw(BITMAP* target)
{
    if (sprite)
        draw_sprite(target, sprite, static_cast<int>(x - 15), static_cast<int>(y - 15));
}

int Ball::Move()
{
    x += dx;
    y += dy;
    return 1;
}

void Ball::Bounce()
{
    if (x < 15.0) {
        x = 30 - x;
        dx = -dx;
    }
    if (x > 225.0) {
        x = 450 - x;
        dx = -dx;
    }
}

Ball* MakeBall(int kind)
{
    Ball* ball = new (std::nothrow) Ball(kind);
    if (ball && !ball->sprite) {
        delete ball;
        ball = nullptr;
    }
    return ball;
}

Place::Place()
    : ball(nullptr), x(0), y(0), upLeft(nullptr), upRight(nullptr), left(nullptr),
      right(nullptr), downLeft(nullptr), downRight(nullptr), flags(0)
{
}

int Place::NewBall(int kind)
{
    ball = MakeBall(kind);
    if (!ball)
        return 0;
    ball->Set(x, y);
    return 1;
}

double Place::distance(Ball* b)
{
    double ddx = x - b->x, ddy = y - b->y;
    return std::sqrt(ddx * ddx + ddy * ddy);
}

namespace {

// All six links of place i by the index rule.
void LinkAll(Place* places, int i)
{
    Place& p = places[i];
    p.upLeft = &places[i - 8];
    p.upRight = &places[i - 7];
    p.left = &places[i - 1];
    p.right = &places[i + 1];
    p.downLeft = &places[i + 7];
    p.downRight = &places[i + 8];
}

}  // namespace

void BuildField(Place* places)
{
    for (int i = 0; i < PLACE_COUNT; i++)
        places[i] = Place();

    // The top row: nothing above.
    places[0].right = &places[1];
    places[0].downRight = &places[8];
    for (int i = 1; i <= 6; i++) {
        places[i].left = &places[i - 1];
        places[i].right = &places[i + 1];
        places[i].downLeft = &places[i + 7];
        places[i].downRight = &places[i + 8];
    }
    places[7].left = &places[6];
    places[7].downLeft = &places[14];

    // A narrow row and the wide row below it, then cut what leaves the grid.
    for (int s = 8; s <= 68; s += 15) {
        for (int i = s; i < s + 15; i++)
            LinkAll(places, i);
        places[s].left = nullptr;
        places[s + 6].right = nullptr;
        places[s + 7].downLeft = places[s + 7].left = places[s + 7].upLeft = nullptr;
        places[s + 14].upRight = places[s + 14].right = places[s + 14].downRight = nullptr;
    }

    // The bottom row: nothing below.
    for (int i = 83; i <= 89; i++) {
        places[i].upLeft = &places[i - 8];
        places[i].upRight = &places[i - 7];
        places[i].left = i == 83 ? nullptr : &places[i - 1];
        places[i].right = i == 89 ? nullptr : &places[i + 1];
    }

    for (int i = 0; i < PLACE_COUNT; i++) {
        int pair = i / 15, column = i % 15;
        if (column < 8) {
            places[i].x = 30 * column + 15;
            places[i].y = 54 * pair + 15;
        } else {
            places[i].x = 30 * column - 210;
            places[i].y = 54 * pair + 42;
        }
    }
}

void Game::ClearField()
{
    for (int i = 0; i < PLACE_COUNT; i++) {
        delete places[i].ball;
        places[i].ball = nullptr;
    }
}

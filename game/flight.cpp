// Aiming, flight and fixing the item on the field.
#include <cmath>

#include "app/globals.h"
#include "app/poll.h"
#include "game/classes.h"
#include "ui/onekeymenu.h"

void Game::Aim()
{
    unsigned int delay = rand() % 20 + 10;
    bool unlucky = rand() % 15 < explosions;

    WaitKeyUp(KEY_SPACE);
    for (;;) {
        unsigned int now = timer_cnt;
        if (!misfired && explosions > 0 && now > delay && unlucky) {
            misfired = true;
            misfireTick = now;
            PlayEffect(DAT_SAMPLE_MISFIRE);
        }
        DrawItems();
        WaitFrame();
        clock += 0.03;
        if (key[KEY_ESC])
            gv.quitting = true;
        if (key[KEY_SPACE] || gv.quitting || misfired)
            break;
    }
    PlayEffect(DAT_SAMPLE_SHOT);
}

void Game::Fly()
{
    Onekeymenu question = Onekeymenu::Standard(oldfont);
    question.add("Yes");
    question.add("No");
    if (gv.quitting)
        return;

    gv.escaping = false;
    bool hit = false;
    bool held = true;  // the press that fired, or one still held from before
    // The flight ends on the answer "Yes", not on the flag itself: the close
    // button may raise it at any moment of a frame, and is asked next frame.
    bool leave = false;
    loaded->dx = std::sin(angle) * 5.0;
    loaded->dy = std::cos(angle) * -5.0;
    do {
        if (held && !key[KEY_SPACE])
            held = false;
        if (!held && key[KEY_SPACE])
            gv.escaping = true;
        if (gv.escaping) {
            unsigned int ticks = timer_cnt;
            if (question.do_menu2("Escape?", 254, 100, 500, KEY_SPACE) == 1)
                gv.escaping = false;
            else
                leave = true;
            timer_cnt = ticks;
        }
        DrawItems();
        WaitFrame();
        loaded->Move();
        loaded->Bounce();
        hit = CheckHits();
    } while (loaded->y > 14.0 && !hit && !gv.quitting && !leave);
    if (!leave)
        gv.escaping = false;  // a click in the flight's last frame comes too late

    FixBall(loaded);
    loaded = nullptr;  // the place owns it now
}

bool Game::CheckHits()
{
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].ball && places[i].distance(loaded) < 30.0)
            return true;
    return false;
}

void Game::FixBall(Ball* ball)
{
    lastPlace = &places[0];
    double best = 999999.0;
    for (int i = 0; i < PLACE_COUNT; i++) {
        if (places[i].ball)
            continue;
        double d = places[i].distance(ball);
        if (d < best) {
            best = d;
            lastPlace = &places[i];
        }
    }
    lastPlace->ball = ball;
    ball->x = lastPlace->x;
    ball->y = lastPlace->y;
}

// Composing the field: background, arrow wheel, characters, items.
#include "app/globals.h"
#include "game/classes.h"

int Game::DrunkStage() const
{
    return (explosions > 0) + (explosions > 5) + (explosions > 10);
}

void Game::Compose(Ball* launched, bool showNext)
{
    blit(background, buffer, 0, 0, 0, 0, 240, 400);
    DrawWheel();
    if (launched)
        launched->Draw(buffer);
    DrawTamm();
    DrawGurk();
    if (showNext && next)
        next->Draw(buffer);
    DrawBalls();
}

void Game::DrawItems()
{
    // The next item stays hidden while Gurk is busy loading.
    Compose(loaded, timer_cnt > 20u);
    blit(buffer, screen, 0, 0, fieldX, fieldY, 240, 400);
    bonusDigits->Print(screen, 460, 150, startbonus, 4);
}

void Game::DrawBalls()
{
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].ball)
            places[i].ball->Draw(buffer);
}

void Game::DrawWheel()
{
    angle = 1.2 * (swing1.elong(clock) + swing2.elong(clock) + swing3.elong(clock));
    rotate_sprite(buffer, DATA_BITMAP(DAT_ARROW_WHEEL), 79, 288,
                  ftofix(angle * 40.74366543152521));
}

void Game::DrawGurk()
{
    // Set while Gurk loads; the first drawing after it may hiccup.
    static bool first = false;
    int stage = DrunkStage();
    bool loading = timer_cnt <= 19u;
    if (loading) {
        first = true;
    } else {
        if (first && stage > 1 && rand() % 3 == 0)
            PlayEffect(DAT_SAMPLE_HICCUP);
        first = false;
    }
    int set = stage < 2 ? stage : 2;
    draw_sprite(buffer, DATA_BITMAP(DAT_GURK_FIRST + 2 * set + loading), 5, 330);
}

void Game::DrawTamm()
{
    int stage = DrunkStage();
    int i = 2 * stage;
    if (i > 4)
        i = 4;
    if (sway1.elong(clock) + sway2.elong(clock) + sway3.elong(clock) < 0)
        i += 1;
    BITMAP* picture;
    int raise = 0;
    if (misfired) {
        picture = DATA_BITMAP(DAT_TAMM_MISFIRE);
        raise = 10;
        if (timer_cnt - misfireTick > 20u)
            misfired = false;
    } else {
        picture = DATA_BITMAP(DAT_TAMM_FIRST + i);
    }
    draw_sprite(buffer, picture, 140, 335 - raise);
}

void Game::PrintScore()
{
    scoreDigits->Print(screen, 460, 65, score, 5);
}

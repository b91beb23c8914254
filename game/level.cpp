// The level loop, its timers and the items it hands out.
#include <new>

#include "app/globals.h"
#include "app/poll.h"
#include "game/classes.h"
#include "session/message.h"

volatile unsigned int timer_cnt = 0;
volatile int timer_cnt2 = 0;
volatile int startbonus = 0;

void my_timer()
{
    timer_cnt = timer_cnt + 1;
    timer_cnt2 = timer_cnt2 - 1;
}
END_OF_FUNCTION(my_timer)

void my_timer2()
{
    startbonus = startbonus - 10;
    if (startbonus < 0)
        startbonus = 0;
}
END_OF_FUNCTION(my_timer2)

void PlayEffect(int index)
{
    play_sample(DATA_SAMPLE(index), 255, 128, 1000, 0);
}

Game::Game(Place* places, int fieldX, int fieldY)
    : next(nullptr), loaded(nullptr), places(places), fieldX(fieldX), fieldY(fieldY),
      explosions(0), misfired(false), misfireTick(0), swing1(1, 1, 0), swing2(0, 2, 0),
      swing3(0, 3, 0), sway1(0, 0, 0), sway2(0, 0, 0), sway3(0, 0, 0), swayTemp(0, 0, 0),
      angle(0), clusterCount(0), lastPlace(nullptr), score(0)
{
    scoreDigits = new Digits(DATA_BITMAP(DAT_DIGIT_STRIP));
    bonusDigits = new Digits(DATA_BITMAP(DAT_DIGIT_STRIP));
    scoreDigits->zeros = true;
    bonusDigits->zeros = true;
    buffer = create_bitmap(240, 400);
    background = DATA_BITMAP(DAT_FIELD_BACKGROUND);
    clock = 0;
    gv.quitting = false;
}

Game::~Game()
{
    delete scoreDigits;
    delete bonusDigits;
    if (buffer)
        destroy_bitmap(buffer);
}

Ball* Game::ShowNext()
{
    int kinds[PLACE_COUNT];
    int n = 0;
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].ball)
            kinds[n++] = places[i].ball->kind;
    // An empty field cannot happen in play; it gets no item, like a failed one.
    Ball* ball = n > 0 ? MakeBall(kinds[rand() % n]) : nullptr;
    if (!ball) {
        Message("No first ball");
        return nullptr;
    }
    ball->Set(74, 384);
    timer_cnt = 0;
    return ball;
}

Ball* Game::LoadNext(Ball* ball)
{
    ball->Set(120, 355);
    return ball;
}

void Game::WaitFrame()
{
    timer_cnt2 = 1;
    // A tick lowers it to 0; a second tick within one poll must not hang us.
    PollUntil([] { return timer_cnt2 <= 0; });
}

int Game::Play(int bonus)
{
    startbonus = bonus;
    misfired = false;

    LOCK_VARIABLE(timer_cnt);
    LOCK_VARIABLE(timer_cnt2);
    LOCK_VARIABLE(startbonus);
    LOCK_FUNCTION(my_timer);
    LOCK_FUNCTION(my_timer2);
    install_int(my_timer, 20);
    install_int(my_timer2, 1000);

    draw_sprite(screen, background, fieldX, fieldY);
    Frame(screen, fieldX, fieldY, fieldX + 239, fieldY + 399, makecol(40, 240, 20));
    int panel = makecol(20, 240, 40);
    Frame(screen, 460, 65, 610, 105, panel);
    Frame(screen, 460, 40, 557, 53, panel);
    Frame(screen, 460, 150, 580, 190, panel);
    Frame(screen, 460, 125, 553, 138, panel);
    BITMAP* scoreCaption = DATA_BITMAP(DAT_SCORE_CAPTION);
    BITMAP* bonusCaption = DATA_BITMAP(DAT_BONUS_CAPTION);
    blit(scoreCaption, screen, 0, 0, 460, 40, scoreCaption->w, scoreCaption->h);
    blit(bonusCaption, screen, 0, 0, 460, 125, bonusCaption->w, bonusCaption->h);

    next = ShowNext();
    rest(500);
    explosions = 0;
    SetOscillators();

    // Without an item to play (or a field picture to draw it in) the level
    // cannot go on: it counts as lost.
    bool lost = !next || !buffer;
    bool cleared = false;
    while (!lost) {
        loaded = LoadNext(next);
        next = ShowNext();
        if (!next) {
            lost = true;
            break;
        }
        Aim();
        if (gv.quitting)
            break;
        Fly();
        if (gv.quitting || gv.escaping)
            break;

        if (LateShotBursts()) {
            Explode();
            SetOscillators();
        } else {
            score += CheckConstel();
            PrintScore();
        }

        cleared = true;
        for (int i = 0; i <= 82; i++)
            if (places[i].ball)
                cleared = false;
        for (int i = 83; i < PLACE_COUNT; i++)
            if (places[i].ball)
                lost = true;

        if (lost || cleared)
            break;
        if (key[KEY_ESC]) {
            gv.quitting = true;
            break;
        }
        if (gv.quitting)
            break;
    }

    bonusDigits->Print(screen, 460, 150, startbonus, 4);
    remove_int(my_timer);
    remove_int(my_timer2);
    if (key[KEY_ESC])
        gv.quitting = true;

    // The item still in hand (left with the escape key before the flight)
    // and the next one go with the level.
    delete loaded;
    loaded = nullptr;
    delete next;
    next = nullptr;

    if (gv.quitting)
        return 2;
    if (gv.escaping || lost)
        return 1;
    return 0;
}

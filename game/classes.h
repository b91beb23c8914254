// The game engine: the field of 90 places and the items on it, the level
// engine that plays one level (aiming, flight, clusters, bursts, drawing),
// its timer counters, and the bevelled frame the screens are drawn with.
//
// Field coordinates are pixels of the 240 x 400 field, origin at its top-left
// corner, y downwards; angles are radians, 0 straight up, positive clockwise.
#ifndef ORBITPUB_GAME_CLASSES_H
#define ORBITPUB_GAME_CLASSES_H

#include <allegro.h>

#include "game/digs.h"
#include "game/sine.h"

// Draws the game's five-pixel bevelled border just outside the rectangle
// (x1, y1)-(x2, y2) on target: a raised rim around a sunken edge, shaded from
// color. The rectangle itself is left untouched.
void Frame(BITMAP* target, int x1, int y1, int x2, int y2, int color);

// Plays data.dat sample index once, the way every effect of the game sounds:
// volume 255, centred, at its own pitch.
void PlayEffect(int index);

const int PLACE_COUNT = 90;
const int KIND_COUNT = 9;
const int ITEM_SIZE = 30;

// One item: a pint or bottle of one of nine kinds, on the field or in flight.
class Ball {
public:
    // Set at construction; x, y and the velocity change while it flies.
    BITMAP* sprite;  // 30 x 30 sub-bitmap of the item sheet; null if it could not be made
    double dx;       // velocity, pixels per frame; set when fired
    double dy;
    double x;        // centre
    double y;
    int kind;        // 0 to 8

    explicit Ball(int kind);
    ~Ball();

    void Set(int x, int y);
    void Draw(BITMAP* target);
    // Advances one frame; always returns 1.
    int Move();
    // Reflects the item off the side walls (centre below 15 or above 225).
    void Bounce();
};

// Makes an item of kind, or returns null when its picture cannot be had.
Ball* MakeBall(int kind);

// One cell of the hexagonal grid.
class Place {
public:
    Ball* ball;  // the item on it (owned), null when empty; changes every turn
    int x;       // centre, set once by BuildField
    int y;
    // The six neighbours, null off the grid; set once by BuildField.
    Place* upLeft;
    Place* upRight;
    Place* left;
    Place* right;
    Place* downLeft;
    Place* downRight;
    int flags;   // cluster-search marks, rewritten by every cluster test

    Place();
    // Puts a new item of kind on the (empty) place; 1 if made, else 0.
    int NewBall(int kind);
    double distance(Ball* ball);
};

// Wires an array of PLACE_COUNT places into the field: centres and links.
void BuildField(Place* places);

// Counters shared with the timer callbacks, reset as noted.
extern volatile unsigned int timer_cnt;  // ticks since the loaded item was loaded; 0 per turn
extern volatile int timer_cnt2;          // frame countdown; 1 at the end of each frame
extern volatile int startbonus;          // time bonus left; set when a level starts

void my_timer();   // every 20 ms while a level is played
void my_timer2();  // every second while a level is played

// The level engine; one serves a whole game session.
class Game {
public:
    Ball* next;           // the item on the preview spot; replaced each turn
    Ball* loaded;         // the item on the launcher until a place takes it (then null); per turn
    BITMAP* background;   // the field picture; not owned
    BITMAP* buffer;       // each frame of the field is composed here; owned
    Digits* scoreDigits;  // owned
    Digits* bonusDigits;  // owned
    Place* places;        // the 90 places; owned by the session
    int fieldX;           // screen position of the field
    int fieldY;
    int explosions;       // bursts in this level; 0 per level
    bool misfired;        // the shot went off by itself; false per level, cleared by DrawTamm
    unsigned int misfireTick;  // timer_cnt at the misfire
    Sine swing1, swing2, swing3;  // the arrow's swing; set per level and per burst
    Sine sway1, sway2, sway3;     // their second derivatives: Tamm's pose
    Sine swayTemp;                // scratch of SetOscillators
    double angle;         // the arrow, recomputed every frame
    int clusterCount;     // the group size, then the items removed; per turn
    double clock;         // time of the oscillators; never reset
    Place* lastPlace;     // where the last fired item came to rest; per turn
    int score;            // set to 0 by the session, kept across its levels

    Game(Place* places, int fieldX, int fieldY);
    ~Game();

    // Plays one level from the field as laid out; returns 0 cleared, 1 lost
    // (or left through the leave question), 2 left with the escape key.
    int Play(int bonus);
    Ball* ShowNext();
    Ball* LoadNext(Ball* ball);
    void ClearField();

    void Aim();
    void Fly();
    bool CheckHits();
    void FixBall(Ball* ball);

    int CheckConstel();
    void ResetFlags(int mask);
    void SetFlags(int mask);
    void SetRecursivelyAll(Place* place, int kind);
    void ResetRecursivelyDown(Place* place);
    void PopAway();

    // The burst rule for the shot just fixed: one judged more than 200 ticks
    // after loading bursts with a chance of 3 in 10 (rand() is drawn only then).
    bool LateShotBursts();
    void Explode();
    void SetOscillators();

    void DrawItems();
    void DrawBalls();
    void DrawWheel();
    void DrawGurk();
    void DrawTamm();
    void PrintScore();

private:
    // 0 sober, up to 3.
    int DrunkStage() const;
    // Composes the field in buffer: background, wheel, the launched item (if
    // any), Tamm, Gurk, the next item (if showNext) and the field's items.
    void Compose(Ball* launched, bool showNext);
    // Ends a frame: waits for the next tick.
    void WaitFrame();
};

#endif

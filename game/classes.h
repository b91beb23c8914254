// The game engine's classes and drawing helpers.
#ifndef ORBITPUB_GAME_CLASSES_H
#define ORBITPUB_GAME_CLASSES_H

#include <allegro.h>

// Draws the game's five-pixel bevelled border just outside the rectangle
// (x1, y1)-(x2, y2) on target: a raised rim around a sunken edge, shaded from
// color. The rectangle itself is left untouched.
void Frame(BITMAP* target, int x1, int y1, int x2, int y2, int color);

#endif

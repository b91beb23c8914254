// One game session: the four levels in order, their layouts, bonuses and
// messages.
#ifndef ORBITPUB_SESSION_PLAY_H
#define ORBITPUB_SESSION_PLAY_H

class Game;
class Place;

const int LEVEL_COUNT = 4;

// Plays a game from level 1; returns 6 when the player left it with the
// escape key (the program then ends), else 0.
int Play();

// Puts the items of level (1 to 4) on the empty places of the field.
void LayOutLevel(Place* places, int level);

// Pays a won level's bonuses in two message boxes: completion points, then
// the time bonus left; the score box shows each after its message.
void PayBonuses(Game& game, int completionPoints);

#endif

// One game session: the four levels in order, their bonuses and messages.
#ifndef ORBITPUB_SESSION_PLAY_H
#define ORBITPUB_SESSION_PLAY_H

// Plays a game from level 1; returns 6 when the player left it with the
// escape key (the program then ends), else 0.
int Play();

#endif

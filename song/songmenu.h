// The song menu: the game's song as a recording or as a karaoke.
#ifndef ORBITPUB_SONG_SONGMENU_H
#define ORBITPUB_SONG_SONGMENU_H

// Runs the song menu until "Return".
void RunKaraoke();

#endif

// The song menu: the game's song as a recording ("vocals.mp3") or as a
// karaoke, one of four MIDI arrangements under the scrolling lyrics page
// read from "lyrics.txt".
#ifndef ORBITPUB_SONG_SONGMENU_H
#define ORBITPUB_SONG_SONGMENU_H

#include <allegro.h>

// Runs the song menu until "Return"; the menu music stays stopped.
void RunKaraoke();

// The MP3 page: plays "vocals.mp3" until the space key is pressed.
void PlaySongTrack();

// One karaoke: the lyrics page for song, shown while it plays.
void PlayKaraoke(MIDI* song);

#endif

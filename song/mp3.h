// Streaming an MP3 file from the disk: the file is read in blocks through
// the library's packed-file functions, each block only when the decoding
// stream (song/almp3.h) asks for it.
#ifndef ORBITPUB_SONG_MP3_H
#define ORBITPUB_SONG_MP3_H

#include <allegro.h>

#include "song/almp3.h"

// One file being streamed; made by open_mp3_file, released by close_mp3_file.
struct MP3FILE {
    PACKFILE* file;            // open, positioned after what the stream has been given
    ALMP3_MP3STREAM* stream;   // fed from file
};

// Opens the file and makes its stream from the first block; null when the
// file is missing, empty or not a recording the stream takes.
MP3FILE* open_mp3_file(const char* filename);

// Starts playing; the stream's result is passed on.
int play_mp3_file(MP3FILE* mp3, int buflen, int vol, int pan);

// Feeds the stream a block when it asks and keeps it playing: 0 while it
// plays, non-zero once the recording has ended or failed.
int poll_mp3_file(MP3FILE* mp3);

// Stops playing and releases file, stream and record; null does nothing.
void close_mp3_file(MP3FILE* mp3);

#endif

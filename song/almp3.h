// An MP3 stream decoder fed in blocks by its caller: libmpg123 in feed mode
// decodes what it is given, and the sound plays through one of the library's
// audio streams at the recording's own rate and channel count. The caller
// hands over the recording one block at a time, only when the stream asks,
// so it is never held in memory whole.
#ifndef ORBITPUB_SONG_ALMP3_H
#define ORBITPUB_SONG_ALMP3_H

// The size of every block after the first: the buffer the stream hands out.
#define ALMP3_BLOCK_SIZE 32768

struct ALMP3_MP3STREAM;

// A stream over the first block (copied before returning). last_block is
// non-zero when the block is the whole recording. Null when the block is not
// the start of an MP3 recording or the decoder cannot be had.
ALMP3_MP3STREAM* almp3_create_mp3stream(void* first_data_buffer, int data_buffer_len,
                                        int last_block);

// Starts playing in the background with buffer_len bytes of sound per
// transfer, at volume and pan 0..255. 0 when it plays (or will, as soon as
// the recording's format is known), non-zero when it cannot.
int almp3_play_mp3stream(ALMP3_MP3STREAM* stream, int buffer_len, int vol, int pan);

// The buffer of ALMP3_BLOCK_SIZE bytes that the stream wants filled with the
// next block of the recording, or null when it wants none now.
void* almp3_get_mp3stream_buffer(ALMP3_MP3STREAM* stream);

// Takes the buffer back with the bytes put into it: -1 for a full block,
// else the count, which marks the end of the recording.
void almp3_free_mp3stream_buffer(ALMP3_MP3STREAM* stream, int bytes_used);

// Keeps the sound supplied. 0 while it plays on; non-zero once the recording
// has been played to its end, or playing has failed.
int almp3_poll_mp3stream(ALMP3_MP3STREAM* stream);

// Stops the sound and releases the stream.
void almp3_destroy_mp3stream(ALMP3_MP3STREAM* stream);

#endif

#include "song/mp3.h"

#include <algorithm>
#include <new>

MP3FILE* open_mp3_file(const char* filename)
{
    MP3FILE* mp3 = new (std::nothrow) MP3FILE{nullptr, nullptr};
    if (!mp3)
        return nullptr;
    mp3->file = pack_fopen(filename, "r");
    if (mp3->file) {
        char data[ALMP3_BLOCK_SIZE];
        long len = pack_fread(data, ALMP3_BLOCK_SIZE, mp3->file);
        if (len > 0) {
            bool whole = len < ALMP3_BLOCK_SIZE;
            mp3->stream = almp3_create_mp3stream(data, int(len), whole ? -1 : 0);
        }
    }
    if (!mp3->stream) {
        if (mp3->file)
            pack_fclose(mp3->file);
        delete mp3;
        return nullptr;
    }
    return mp3;
}

int play_mp3_file(MP3FILE* mp3, int buflen, int vol, int pan)
{
    return almp3_play_mp3stream(mp3->stream, buflen, vol, pan);
}

int poll_mp3_file(MP3FILE* mp3)
{
    char* data = static_cast<char*>(almp3_get_mp3stream_buffer(mp3->stream));
    if (data) {
        long len = pack_fread(data, ALMP3_BLOCK_SIZE, mp3->file);
        // A short count, at the end of the file or after a read error, ends the data.
        almp3_free_mp3stream_buffer(mp3->stream, len == ALMP3_BLOCK_SIZE ? -1 : int(std::max(len, 0L)));
    }
    return almp3_poll_mp3stream(mp3->stream);
}

void close_mp3_file(MP3FILE* mp3)
{
    if (!mp3)
        return;
    pack_fclose(mp3->file);
    almp3_destroy_mp3stream(mp3->stream);
    delete mp3;
}

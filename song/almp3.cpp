#include "song/almp3.h"

#include <allegro.h>
#include <mpg123.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

// Everything here lives from almp3_create_mp3stream to almp3_destroy_mp3stream.
struct ALMP3_MP3STREAM {
    mpg123_handle* decoder;
    long rate;                  // of the recording, once formatKnown
    int channels;               // 1 or 2, once formatKnown
    bool formatKnown;
    bool dataEnded;             // the caller has handed over the last block
    bool needInput;             // the decoder has used up what it was given
    bool decoderDone;           // no more sound will come: drained, or broken off
    bool playing;               // almp3_play_mp3stream was called
    bool failed;                // the sound output could not be had
    int bufferLen;              // bytes of sound per transfer, from almp3_play_mp3stream
    int volume;
    int pan;
    AUDIOSTREAM* audio;         // made once both playing and formatKnown
    int silentTransfers;        // silence handed to the audio stream after the sound
    std::vector<int16_t> pcm;   // decoded, not yet handed to the audio stream
    unsigned char block[ALMP3_BLOCK_SIZE];  // the buffer the caller fills
};

namespace {

const int decodeChunk = 16384;     // bytes asked of the decoder at a time
const int minTransferFrames = 1024;

// Sets up libmpg123 for feed mode, signed 16-bit output (turned into the
// library's unsigned samples on the way out) at every rate it decodes.
mpg123_handle* NewDecoder()
{
    static bool initialised = false;
    if (!initialised) {
        if (mpg123_init() != MPG123_OK)
            return nullptr;
        initialised = true;
    }
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (!decoder)
        return nullptr;
    bool ready = mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0) == MPG123_OK &&
                 mpg123_format_none(decoder) == MPG123_OK;
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; ready && i < count; i++)
        ready = mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO,
                              MPG123_ENC_SIGNED_16) == MPG123_OK;
    if (!ready || mpg123_open_feed(decoder) != MPG123_OK) {
        mpg123_delete(decoder);
        return nullptr;
    }
    return decoder;
}

int TransferFrames(const ALMP3_MP3STREAM* s)
{
    return std::max(minTransferFrames, s->bufferLen / (2 * s->channels));
}

// A change of format in the middle of a recording cannot go on in the same
// audio stream: the sound ends there.
void NoteFormat(ALMP3_MP3STREAM* s)
{
    long rate = 0;
    int channels = 0, encoding = 0;
    mpg123_getformat(s->decoder, &rate, &channels, &encoding);
    if (!s->formatKnown) {
        s->rate = rate;
        s->channels = channels;
        s->formatKnown = channels == 1 || channels == 2;
        if (!s->formatKnown)
            s->decoderDone = true;
    } else if (rate != s->rate || channels != s->channels) {
        s->decoderDone = true;
    }
}

// Decodes until pcm holds want samples, the decoder wants more input, or no
// more sound will come. A decoding error ends the sound where it stands.
void Decode(ALMP3_MP3STREAM* s, size_t want)
{
    unsigned char out[decodeChunk];
    while (!s->decoderDone && !s->needInput && s->pcm.size() < want) {
        size_t done = 0;
        int result = mpg123_read(s->decoder, out, sizeof out, &done);
        const int16_t* samples = reinterpret_cast<const int16_t*>(out);
        s->pcm.insert(s->pcm.end(), samples, samples + done / 2);
        if (result == MPG123_NEW_FORMAT)
            NoteFormat(s);
        else if (result == MPG123_NEED_MORE)
            (s->dataEnded ? s->decoderDone : s->needInput) = true;
        else if (result != MPG123_OK)
            s->decoderDone = true;
    }
}

// Hands the audio stream what it asks for: the sound while there is a full
// transfer of it (or the last of it), then silence until the last sound has
// been played (see almp3_poll_mp3stream).
void Supply(ALMP3_MP3STREAM* s)
{
    size_t transfer = size_t(TransferFrames(s)) * s->channels;  // samples, all channels
    while (s->silentTransfers < 2 * s->audio->bufcount) {
        Decode(s, transfer);
        if (s->pcm.size() < transfer && !s->decoderDone)
            return;  // waiting for the next block
        uint16_t* out = static_cast<uint16_t*>(get_audio_stream_buffer(s->audio));
        if (!out)
            return;
        size_t n = std::min(transfer, s->pcm.size());
        for (size_t i = 0; i < n; i++)
            out[i] = uint16_t(s->pcm[i]) ^ 0x8000;
        std::fill(out + n, out + transfer, uint16_t(0x8000));
        s->pcm.erase(s->pcm.begin(), s->pcm.begin() + n);
        if (n == 0)
            s->silentTransfers++;
        free_audio_stream_buffer(s->audio);
    }
}

}  // namespace

ALMP3_MP3STREAM* almp3_create_mp3stream(void* first_data_buffer, int data_buffer_len,
                                        int last_block)
{
    if (!first_data_buffer || data_buffer_len <= 0)
        return nullptr;
    ALMP3_MP3STREAM* s = new (std::nothrow) ALMP3_MP3STREAM();
    if (!s)
        return nullptr;
    s->decoder = NewDecoder();
    s->dataEnded = last_block != 0;
    int length = std::min(data_buffer_len, ALMP3_BLOCK_SIZE);
    if (!s->decoder || mpg123_feed(s->decoder, static_cast<unsigned char*>(first_data_buffer),
                                   length) != MPG123_OK) {
        almp3_destroy_mp3stream(s);
        return nullptr;
    }
    // Decoding the start tells a recording from anything else, and its format.
    Decode(s, 1);
    if (s->decoderDone && !s->formatKnown) {
        almp3_destroy_mp3stream(s);
        return nullptr;
    }
    return s;
}

int almp3_play_mp3stream(ALMP3_MP3STREAM* s, int buffer_len, int vol, int pan)
{
    s->playing = true;
    s->bufferLen = buffer_len;
    s->volume = vol;
    s->pan = pan;
    almp3_poll_mp3stream(s);
    return s->failed ? -1 : 0;
}

void* almp3_get_mp3stream_buffer(ALMP3_MP3STREAM* s)
{
    return s->needInput && !s->dataEnded ? s->block : nullptr;
}

void almp3_free_mp3stream_buffer(ALMP3_MP3STREAM* s, int bytes_used)
{
    int n = bytes_used == -1 ? ALMP3_BLOCK_SIZE : std::clamp(bytes_used, 0, ALMP3_BLOCK_SIZE);
    if (n > 0 && mpg123_feed(s->decoder, s->block, n) != MPG123_OK)
        s->decoderDone = true;
    if (bytes_used != -1)
        s->dataEnded = true;
    s->needInput = false;
}

int almp3_poll_mp3stream(ALMP3_MP3STREAM* s)
{
    if (s->failed)
        return 1;
    if (!s->playing)
        return 0;
    if (!s->audio) {
        Decode(s, 1);
        if (!s->formatKnown)
            return s->decoderDone ? 1 : 0;
        s->audio = play_audio_stream(TransferFrames(s), 16, s->channels == 2, int(s->rate),
                                     s->volume, s->pan);
        if (!s->audio) {
            s->failed = true;
            return 1;
        }
    }
    Supply(s);
    // The stream plays its buffers in two halves of bufcount transfers: once
    // that much silence has been asked for, the last sound has been heard.
    return s->silentTransfers >= 2 * s->audio->bufcount ? 1 : 0;
}

void almp3_destroy_mp3stream(ALMP3_MP3STREAM* s)
{
    if (!s)
        return;
    if (s->audio)
        stop_audio_stream(s->audio);
    if (s->decoder)
        mpg123_delete(s->decoder);
    delete s;
}

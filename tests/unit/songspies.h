// Stand-ins for the library calls the song screens make that a test cannot
// let through: the alert box (it would wait for a key), the audio streams
// (there is no sound card in a test) and packed-file reads (to see how a
// recording is read). Interposed in the test binary like the others in
// spies.h: each forwards to the library until a test makes its spy, and the
// spy's destructor takes it away again.
#ifndef ORBITPUB_TESTS_SONGSPIES_H
#define ORBITPUB_TESTS_SONGSPIES_H

#include <cstdint>
#include <string>
#include <vector>

// While one lives, alert() writes its first line here and returns 1 at once.
struct AlertLog {
    std::vector<std::string> messages;
    AlertLog();
    ~AlertLog();
};

// While one lives, play_audio_stream makes a pretend stream whose buffer is
// handed out once for each grant (one grant stands for the voice having
// moved on by one transfer), and everything put into it is kept in played.
struct AudioSpy {
    // What play_audio_stream was asked for; streams counts the calls.
    int streams = 0, len = 0, bits = 0, stereo = 0, freq = 0, vol = 0, pan = 0;
    bool refuse = false;     // play_audio_stream fails
    int grants = 0;          // buffers get_audio_stream_buffer may still hand out
    bool stopped = false;    // stop_audio_stream was called
    std::vector<uint16_t> played;  // every sample handed back, in order
    int readsBeforeFirstSound = -1; // pack_fread calls seen when the first buffer came back
    AudioSpy();
    ~AudioSpy();
};

// While one lives, every pack_fread's result, in order.
struct ReadLog {
    std::vector<long> results;
    ReadLog();
    ~ReadLog();
};

#endif

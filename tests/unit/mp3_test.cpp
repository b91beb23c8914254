// Streaming MP3 recordings made by the build: what reaches the library's
// audio stream, sample for sample, against what mpg123 decodes from the same
// file; how the file is read (a block at a time, only when the stream asks);
// and files the stream must turn down or end by itself.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "song/mp3.h"
#include "songspies.h"
#include "testing.h"

namespace {

std::string Recording(const std::string& name)
{
    return std::string(RECORDINGS_DIR) + "/" + name;
}

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

struct Wav {
    int channels = 0, rate = 0;
    std::vector<int16_t> samples;
};

Wav ReadWav(const std::string& path)
{
    std::vector<char> d = Bytes(path);
    auto u32 = [&](size_t i) {
        return uint32_t(uint8_t(d[i])) | uint32_t(uint8_t(d[i + 1])) << 8 |
               uint32_t(uint8_t(d[i + 2])) << 16 | uint32_t(uint8_t(d[i + 3])) << 24;
    };
    Wav wav;
    for (size_t pos = 12; pos + 8 <= d.size();) {
        std::string tag(&d[pos], 4);
        size_t size = u32(pos + 4);
        if (tag == "fmt ") {
            wav.channels = uint8_t(d[pos + 10]);
            wav.rate = int(u32(pos + 12));
        } else if (tag == "data") {
            size = std::min(size, d.size() - pos - 8);
            for (size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(int16_t(uint8_t(d[pos + 8 + i]) | uint8_t(d[pos + 9 + i]) << 8));
        }
        pos += 8 + size + (size & 1);
    }
    return wav;
}

std::string WriteTemp(const char* name, const std::vector<char>& bytes)
{
    std::string path = std::string(testing::TempDir()) + "mp3_" + std::to_string(getpid()) + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

// Polls as the MP3 page does, the voice moving one transfer on between two
// polls; the number of polls until the stream said it had ended, or -1.
int PlayToEnd(MP3FILE* mp3, AudioSpy& spy, int maxPolls = 5000)
{
    for (int polls = 1; polls <= maxPolls; polls++) {
        spy.grants = 1;
        if (poll_mp3_file(mp3))
            return polls;
    }
    return -1;
}

TEST(Mp3Stream, PlaysWhatMpg123DecodesReadingBlockByBlock)
{
    for (const char* name : {"short", "exact", "long"}) {
        SCOPED_TRACE(name);
        std::string path = Recording(std::string(name) + ".mp3");
        long size = long(Bytes(path).size());
        Wav decoded = ReadWav(Recording(std::string(name) + ".wav"));
        ASSERT_FALSE(decoded.samples.empty());

        // Whole blocks, then what is left: a file of one block exactly ends
        // with a read of nothing.
        std::vector<long> reads(size / 32768, 32768);
        reads.push_back(size % 32768);

        AudioSpy spy;
        ReadLog log;
        MP3FILE* mp3 = open_mp3_file(path.c_str());
        ASSERT_NE(mp3, nullptr);
        EXPECT_EQ(play_mp3_file(mp3, 65536, 255, 128), 0);
        EXPECT_GT(PlayToEnd(mp3, spy), 0);
        EXPECT_FALSE(spy.stopped);
        close_mp3_file(mp3);
        EXPECT_TRUE(spy.stopped);

        EXPECT_EQ(log.results, reads);
        EXPECT_EQ(spy.readsBeforeFirstSound, 1);  // sound before the second block
        EXPECT_EQ(spy.streams, 1);
        EXPECT_EQ(spy.freq, decoded.rate);
        EXPECT_EQ(spy.stereo, decoded.channels == 2);
        EXPECT_EQ(spy.bits, 16);
        EXPECT_EQ(spy.len, 65536 / (2 * decoded.channels));
        EXPECT_EQ(spy.vol, 255);
        EXPECT_EQ(spy.pan, 128);

        // The same samples, in the library's unsigned form, then silence.
        ASSERT_GE(spy.played.size(), decoded.samples.size());
        size_t differ = 0;
        for (size_t i = 0; i < decoded.samples.size(); i++)
            differ += spy.played[i] != (uint16_t(decoded.samples[i]) ^ 0x8000);
        EXPECT_EQ(differ, 0u) << "of " << decoded.samples.size();
        size_t loud = 0;
        for (size_t i = decoded.samples.size(); i < spy.played.size(); i++)
            loud += spy.played[i] != 0x8000;
        EXPECT_EQ(loud, 0u);
        EXPECT_LE(spy.played.size() - decoded.samples.size(), 3u * 32768);
    }
}

TEST(Mp3Stream, FilesThatAreNoRecordingAreTurnedDownOrEndByThemselves)
{
    std::vector<char> recording = Bytes(Recording("long.mp3"));
    std::vector<char> garbage(40000);
    uint32_t seed = 12345;
    for (char& c : garbage)
        c = char((seed = seed * 1103515245u + 12345u) >> 23);
    struct {
        const char* what;
        std::string path;
        bool mayOpen;
    } cases[] = {
        {"missing", Recording("no-such.mp3"), false},
        {"empty", WriteTemp("empty.mp3", {}), false},
        {"text", WriteTemp("text.mp3", {'h', 'e', 'l', 'l', 'o', '\n'}), false},
        {"garbage", WriteTemp("garbage.mp3", garbage), true},
        {"cut after 1000 bytes",
         WriteTemp("cut.mp3", std::vector<char>(recording.begin(), recording.begin() + 1000)),
         true},
        {"cut in the middle of a block",
         WriteTemp("cut2.mp3", std::vector<char>(recording.begin(), recording.begin() + 50000)),
         true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        AudioSpy spy;
        MP3FILE* mp3 = open_mp3_file(c.path.c_str());
        if (!c.mayOpen) {
            EXPECT_EQ(mp3, nullptr);
            continue;
        }
        if (!mp3)
            continue;
        play_mp3_file(mp3, 65536, 255, 128);
        EXPECT_GT(PlayToEnd(mp3, spy), 0);
        close_mp3_file(mp3);
    }
}

TEST(Mp3Stream, AsksForDataOnlyWhenItWantsSome)
{
    std::vector<char> recording = Bytes(Recording("long.mp3"));
    AudioSpy spy;
    ALMP3_MP3STREAM* stream = almp3_create_mp3stream(recording.data(), 32768, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(almp3_get_mp3stream_buffer(stream), nullptr);  // four seconds in hand
    EXPECT_EQ(almp3_poll_mp3stream(stream), 0);
    EXPECT_EQ(spy.streams, 0);  // nothing plays before it is asked to
    almp3_play_mp3stream(stream, 65536, 255, 128);
    int polls = 0;
    for (; polls < 100 && !almp3_get_mp3stream_buffer(stream); polls++) {
        spy.grants = 1;
        EXPECT_EQ(almp3_poll_mp3stream(stream), 0);
    }
    EXPECT_GT(polls, 1);
    EXPECT_LT(polls, 100);
    // The first block holds about 2.7 transfers of 32768 samples.
    EXPECT_GE(spy.played.size(), 2u * 32768);
    EXPECT_LE(spy.played.size(), 3u * 32768);
    almp3_destroy_mp3stream(stream);
    EXPECT_TRUE(spy.stopped);
}

TEST(Mp3Stream, NoSoundOutputEndsThePlaying)
{
    AudioSpy spy;
    spy.refuse = true;
    MP3FILE* mp3 = open_mp3_file(Recording("short.mp3").c_str());
    ASSERT_NE(mp3, nullptr);
    EXPECT_NE(play_mp3_file(mp3, 65536, 255, 128), 0);
    EXPECT_NE(poll_mp3_file(mp3), 0);
    close_mp3_file(mp3);
    close_mp3_file(nullptr);
}

}  // namespace

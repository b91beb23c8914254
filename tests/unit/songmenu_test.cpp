// The song screens on the game's data, run in a folder of the test's own
// (the lyrics and the recording are read from the working directory): the
// karaoke session and its failures, the MP3 page, and the song menu driven
// by a scripted player through the rest() hook.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/globals.h"
#include "song/songmenu.h"
#include "songspies.h"
#include "spies.h"
#include "testing.h"

namespace {

struct SongScreenTest : ::testing::Test {
    std::string home, folder;

    void SetUp() override
    {
        LoadTestData();
        ResetScreen();
        if (!oldfont)
            oldfont = font;
        midi_pos = -1;
        char here[4096];
        ASSERT_TRUE(getcwd(here, sizeof here));
        home = here;
        folder = std::string(testing::TempDir()) + "songscreen_XXXXXX";
        ASSERT_TRUE(mkdtemp(&folder[0]));
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override
    {
        std::remove("lyrics.txt");
        std::remove("vocals.mp3");
        ASSERT_EQ(chdir(home.c_str()), 0);
        rmdir(folder.c_str());
        midi_pos = -1;
    }

    static void Write(const char* name, const std::string& bytes)
    {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool ScreenIsBlack()
    {
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (getpixel(screen, x, y) != 0)
                    return false;
        return true;
    }
};

const char lyrics[] = "Raise [4]your [5]glass[6]\nto [8]the [9]stars[10]\n";

TEST_F(SongScreenTest, KaraokeFramesThePageAndPlaysItsSong)
{
    Write("lyrics.txt", lyrics);
    FONT* f = (FONT*)thedata1[DAT2_LYRICS_FONT].dat;
    int w = text_length(f, "Raise your glass");
    SoundLog sound;
    int frames = 0;
    RestHookGuard hook([&](unsigned ms) {
        if (ms == 1 && ++frames == 3)
            midi_pos = -1;
    });
    PlayKaraoke(DATA_MIDI(DAT_SONG_PITCH2_MELODY));
    EXPECT_EQ(sound.calls, (std::vector<std::string>{"play_midi 34 0", "stop_midi"}));
    int left = 300 - w / 2;
    // The work area's tiled background from (left, 40), the orange-brown
    // border around it (its middle ring two pixels out).
    BITMAP* tile = DATA2_BITMAP(DAT2_LYRICS_TILE);
    EXPECT_EQ(PixelAt(screen, left, 40), PixelAt(tile, 0, 0));
    EXPECT_EQ(PixelAt(screen, left + w + 39, 40), PixelAt(tile, (w + 39) % tile->w, 0));
    EXPECT_EQ(PixelAt(screen, left - 3, 200), (Rgb{180, 100, 20}));
    EXPECT_EQ(PixelAt(screen, w / 2 + 343, 200), (Rgb{180, 100, 20}));
    EXPECT_EQ(PixelAt(screen, 320, 443), (Rgb{180, 100, 20}));
}

TEST_F(SongScreenTest, KaraokeFailuresGoBackToTheMenuWithTheirMessage)
{
    struct {
        const char* what;
        bool writeLyrics;
        std::string lyrics;
        const char* message;
    } cases[] = {
        {"no lyrics file", false, "", "myKaraoke not ok"},
        {"a line too wide for any work area", true, std::string(20000, 'w') + "[1]\n",
         "workarea failed"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetScreen();
        std::remove("lyrics.txt");
        if (c.writeLyrics)
            Write("lyrics.txt", c.lyrics);
        SoundLog sound;
        AlertLog alerts;
        PlayKaraoke(DATA_MIDI(DAT_SONG_PITCH1_MELODY));
        EXPECT_EQ(alerts.messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(sound.calls.empty());
        EXPECT_TRUE(ScreenIsBlack());
    }
}

TEST_F(SongScreenTest, Mp3PagePlaysTheRecordingThenWaitsForTheKey)
{
    for (bool recording : {true, false}) {
        SCOPED_TRACE(recording ? "with vocals.mp3" : "without vocals.mp3");
        ResetScreen();
        std::remove("vocals.mp3");
        if (recording)
            Write("vocals.mp3", Read(std::string(RECORDINGS_DIR) + "/short.mp3"));
        AudioSpy spy;
        int restsAfterEnd = 0;
        RestHookGuard hook([&](unsigned) {
            spy.grants = 1;
            // The recording ends by itself and is closed at once; the page
            // stays until the key is pressed.
            if ((spy.stopped || !recording) && ++restsAfterEnd == 50)
                key[KEY_SPACE] = 1;
        });
        PlaySongTrack();
        EXPECT_EQ(restsAfterEnd, 50);
        EXPECT_EQ(spy.streams, recording ? 1 : 0);
        EXPECT_EQ(spy.played.empty(), !recording);
        BITMAP* picture = DATA2_BITMAP(DAT2_MP3_PICTURE);
        EXPECT_EQ(PixelAt(screen, 128, 50), PixelAt(picture, 0, 0));
        EXPECT_EQ(PixelAt(screen, 511, 329), PixelAt(picture, 383, 279));
        EXPECT_EQ(PixelAt(screen, 125, 200), (Rgb{80, 220, 40}));  // the green border
        EXPECT_EQ(PixelAt(screen, 514, 200), (Rgb{80, 220, 40}));
    }
}

// A player for the song menu: picks the entries given, in order, each as
// soon as its highlight has come (the menu walks one entry per 50 of its
// 10 ms rests), lets go of the key at the next other wait, and ends every
// song after its first frame.
struct MenuPlayer {
    std::vector<int> picks;
    size_t next = 0;
    int menuRests = 0;
    void operator()(unsigned ms)
    {
        if (ms == 10) {
            if (next < picks.size() && menuRests++ == 50 * picks[next] + 10) {
                key[KEY_SPACE] = 1;
                next++;
                menuRests = 0;
            }
            return;
        }
        key[KEY_SPACE] = 0;
        if (ms == 1 && midi_pos >= 0)
            midi_pos = -1;
    }
};

TEST_F(SongScreenTest, EachKaraokeEntryPlaysItsOwnSongAndReturnLeaves)
{
    Write("lyrics.txt", lyrics);
    SoundLog sound;
    MenuPlayer player{{1, 2, 3, 4, 6}};
    RestHookGuard hook([&](unsigned ms) { player(ms); });
    RunKaraoke();
    EXPECT_EQ(player.next, 5u);
    EXPECT_FALSE(key[KEY_SPACE]);
    EXPECT_EQ(sound.calls, (std::vector<std::string>{
                               "stop_midi",  // the menu music stops
                               "play_midi 32 0", "stop_midi", "play_midi 33 0", "stop_midi",
                               "play_midi 34 0", "stop_midi", "play_midi 35 0", "stop_midi"}));
}

}  // namespace

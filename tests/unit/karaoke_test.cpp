// The karaoke's lyrics model and page: what lyrics files of every shape read
// as, how wide the page is, where the page stands and which pieces are drawn
// sung for a given song position (midi_pos set by the test, one frame
// composed), and the page's run while a song plays.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "song/karaoke.h"
#include "songspies.h"
#include "spies.h"
#include "testing.h"

namespace {

using Snips = std::vector<std::pair<std::string, int>>;

// A colour font of solid glyphs 6 pixels wide and 10 high, every one drawn
// with index 1 and a bottom row of index 2, so a test can tell where a line
// stands and which palette drew it.
FONT* BlockFont()
{
    static FONT* made = nullptr;
    if (!made) {
        BITMAP* sheet = create_bitmap_ex(8, 95 * 7 + 1, 12);
        clear_to_color(sheet, 255);
        for (int i = 0; i < 95; i++) {
            rectfill(sheet, 1 + i * 7, 1, 6 + i * 7, 10, 1);
            hline(sheet, 1 + i * 7, 10, 6 + i * 7, 2);
        }
        made = grab_font_from_bitmap(sheet);
        destroy_bitmap(sheet);
    }
    return made;
}

const Rgb background{180, 100, 0};
const Rgb sungInk{255, 0, 0}, unsungInk{0, 0, 255}, bottomInk{0, 255, 0};

// Index 1 red when sung, blue when still to come; index 2 green in both.
struct Palettes {
    PALETTE sung, unsung;
    Palettes()
    {
        for (int i = 0; i < PAL_SIZE; i++)
            sung[i] = unsung[i] = RGB{0, 0, 0, 0};
        sung[1] = RGB{63, 0, 0, 0};
        unsung[1] = RGB{0, 0, 63, 0};
        sung[2] = unsung[2] = RGB{0, 63, 0, 0};
    }
};

MIDI someSong;

std::string TempPath(const char* name)
{
    return std::string(testing::TempDir()) + "karaoke_" + std::to_string(getpid()) + "_" + name;
}

std::string WriteLyrics(const std::string& bytes)
{
    std::string path = TempPath("lyrics.txt");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

struct KaraokeTest : ::testing::Test {
    Palettes palettes;
    Karaoke* page = nullptr;

    void SetUp() override { midi_pos = -1; }
    void TearDown() override
    {
        delete page;
        midi_pos = -1;
    }

    Karaoke& Read(const std::string& lyrics)
    {
        delete page;
        page = new Karaoke(WriteLyrics(lyrics).c_str(), BlockFont(), palettes.sung,
                           palettes.unsung, &someSong);
        return *page;
    }

    // Reads the lyrics and makes the usual page for them, without a tile.
    Karaoke& Page(const std::string& lyrics)
    {
        Read(lyrics);
        page->CreateWindow(page->Width() + 40, 400, nullptr);
        return *page;
    }

    Rgb At(int x, int y) { return PixelAt(page->workarea, x, y); }

    // The frame at song position pos.
    void Frame(long pos)
    {
        midi_pos = pos;
        page->ComposeFrame();
    }
};

Snips Of(const Karaoke& k)
{
    Snips all;
    for (const Snippet& s : k.snippets)
        all.emplace_back(s.text, s.time);
    return all;
}

const char example[] = "Raise [4]your [5]glass[6]\nto [8]the [9]stars[10]\n";

TEST_F(KaraokeTest, LyricsFilesReadAsTheirSnippets)
{
    const std::string w250(250, 'w'), c252(252, 'c'), v600(600, 'v'), u300(300, 'u');
    struct {
        const char* what;
        std::string file;
        Snips snippets;
        int lines, startTime, lastTime, timeSpan;
    } cases[] = {
        {"the example", example,
         {{"Raise ", 4}, {"your ", 5}, {"glass", 6}, {"\n", 6}, {"to ", 8}, {"the ", 9},
          {"stars", 10}, {"\n", 10}, {"\n", 10}},
         3, 6, 10, 4},
        {"no line end after the last line",
         "Raise [4]your [5]glass[6]\nto [8]the [9]stars[10]",
         {{"Raise ", 4}, {"your ", 5}, {"glass", 6}, {"\n", 6}, {"to ", 8}, {"the ", 9},
          {"stars", 10}, {"\n", 10}},
         2, 6, 10, 4},
        {"CR LF line ends", "Raise [4]your [5]glass[6]\r\nto [8]the [9]stars[10]\r\n",
         {{"Raise ", 4}, {"your ", 5}, {"glass", 6}, {"\n", 6}, {"to ", 8}, {"the ", 9},
          {"stars", 10}, {"\n", 10}, {"\n", 10}},
         3, 6, 10, 4},
        {"two blank lines carry the last stamp", "a[1]\n\n\nb[2]\n",
         {{"a", 1}, {"\n", 1}, {"\n", 1}, {"\n", 1}, {"b", 2}, {"\n", 2}, {"\n", 2}}, 5, 1, 2, 1},
        {"a trailing blank joins two lines", "Raise [4]your [5]glass[6] \nto [8]\n",
         {{"Raise ", 4}, {"your ", 5}, {"glass", 6}, {" \nto ", 8}, {"\n", 8}, {"\n", 8}},
         2, 8, 8, 0},
        {"stamps read as atoi reads them", "a[12]b[ 12]c[+12]d[12a]e[-3]f[x]g[]\n",
         {{"a", 12}, {"b", 12}, {"c", 12}, {"d", 12}, {"e", -3}, {"f", 0}, {"g", 0}, {"\n", 0},
          {"\n", 0}},
         2, 0, 0, 0},
        {"stamps beyond int are held at its ends", "a[99999999999]\nb[-99999999999]\n",
         {{"a", INT_MAX}, {"\n", INT_MAX}, {"b", INT_MIN}, {"\n", INT_MIN}, {"\n", INT_MIN}},
         3, INT_MAX, INT_MIN, INT_MIN},
        {"a [ without ] ends the scan", "A[1]B[\nC\n", {{"A", 1}}, 0, 0, 1, 1},
        {"an empty file", "", {{"\n", 0}}, 1, 0, 0, 0},
        {"a line of 254 characters", w250 + "[77]\n", {{w250, 77}, {"\n", 77}, {"\n", 77}}, 2,
         77, 77, 0},
        {"an over-long line is read on in pieces", v600 + "[5]" + u300 + "[6]\n",
         {{v600, 5}, {u300, 6}, {"\n", 6}, {"\n", 6}}, 2, 6, 6, 0},
        {"a CR LF split between two reads", c252 + "[1]\r\n",
         {{c252, 1}, {"\n", 1}, {"\n", 1}}, 2, 1, 1, 0},
        {"a line feed inside the brackets ends the number", "a[1\n2]b[3]\n",
         {{"a", 1}, {"b", 3}, {"\n", 3}, {"\n", 3}}, 2, 3, 3, 0},
        {"falling stamps stay in file order", "a[9]b[3]\nc[1]\n",
         {{"a", 9}, {"b", 3}, {"\n", 3}, {"c", 1}, {"\n", 1}, {"\n", 1}}, 3, 3, 1, -2},
        {"no stamp at all", "just words\nand more\n", {}, 0, 0, 0, 0},
        {"a blank first line", "\na[2]\n", {{"\n", 0}, {"a", 2}, {"\n", 2}, {"\n", 2}}, 3, 0, 2,
         2},
        {"a carriage return not before a line feed is text", "a\rb[1]\n",
         {{"a\rb", 1}, {"\n", 1}, {"\n", 1}}, 2, 1, 1, 0},
        {"stamps in a row make empty pieces", "[5][6]\n",
         {{"", 5}, {"", 6}, {"\n", 6}, {"\n", 6}}, 2, 6, 6, 0},
        {"NUL bytes are text", std::string("a\0b[1]\n", 7),
         {{std::string("a\0b", 3), 1}, {"\n", 1}, {"\n", 1}}, 2, 1, 1, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Karaoke& k = Read(c.file);
        EXPECT_TRUE(k.ok);
        EXPECT_EQ(Of(k), c.snippets);
        EXPECT_EQ(k.lines, c.lines);
        EXPECT_EQ(k.startTime, c.startTime);
        EXPECT_EQ(k.lastTime, c.lastTime);
        EXPECT_EQ(k.timeSpan, c.timeSpan);
    }
}

TEST_F(KaraokeTest, NoResourceOrNoFileGivesAModelThatIsNotOk)
{
    std::string lyrics = WriteLyrics(example);
    std::string folder = TempPath("folder");
    mkdir(folder.c_str(), 0700);
    struct {
        const char* what;
        std::string file;
        bool font, sung, unsung, song;
    } cases[] = {
        {"no font", lyrics, false, true, true, true},
        {"no first palette", lyrics, true, false, true, true},
        {"no second palette", lyrics, true, true, false, true},
        {"no song", lyrics, true, true, true, false},
        {"no such file", TempPath("missing.txt"), true, true, true, true},
        {"a folder, which opens but cannot be read", folder, true, true, true, true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Karaoke k(c.file.c_str(), c.font ? BlockFont() : nullptr,
                  c.sung ? palettes.sung : nullptr, c.unsung ? palettes.unsung : nullptr,
                  c.song ? &someSong : nullptr);
        EXPECT_FALSE(k.ok);
        EXPECT_TRUE(k.snippets.empty());
    }
    rmdir(folder.c_str());
}

TEST_F(KaraokeTest, WidthIsTheWidestLine)
{
    struct {
        const char* file;
        int width;
    } cases[] = {
        {example, 16 * 6},                        // "Raise your glass"
        {"ab[1]\nabcd[2]efgh[3]\nabc[4]\n", 8 * 6},  // pieces of a line add up
        {"ab[1]\nabcdefgh[2]x", 2 * 6},           // text after the last line end
        {"abc[1]def", 0},                         // no line end at all
        {"[1]\n\n", 0},
    };
    for (auto& c : cases)
        EXPECT_EQ(Read(c.file).Width(), c.width) << c.file;
}

TEST_F(KaraokeTest, WindowSizeAndScroll)
{
    struct {
        const char* file;
        int scrollHeight;
        float scrollRate;
    } cases[] = {
        {example, 20, 5.0f},         // two pitches over four beats
        {"a[5]b[5]\n", 10, 0.0f},   // no span: the page does not scroll
        {"a[10]\nb[6]\n", 20, -5.0f},  // falling: the page moves down
    };
    for (auto& c : cases) {
        Karaoke& k = Page(c.file);
        ASSERT_NE(k.workarea, nullptr);
        EXPECT_EQ(k.workarea->w, k.Width() + 40);
        EXPECT_EQ(k.workarea->h, 400);
        EXPECT_EQ(k.scrollHeight, c.scrollHeight) << c.file;
        EXPECT_EQ(k.scrollRate, c.scrollRate) << c.file;
    }
}

TEST_F(KaraokeTest, FirstLineStandsThenScrollsCutTowardsZero)
{
    // Top of the first line, found by its text (index 1 from the top row) and
    // its bottom row (index 2) at x = 21.
    struct {
        const char* file;
        long pos;
        int top;
    } cases[] = {
        {example, -1, 200}, {example, 0, 200}, {example, 6, 200},  // until startTime
        {example, 7, 195},  {example, 10, 180},
        {example, 14, 160},                          // on past lastTime
        {"a[2]\nb[6]", 3, 197},   // two lines, 10 pixels over 4 beats: 200 - 2.5
        {"a[2]\nb[6]", 83, -2},  // 200 - 202.5, not -3
        {"a[5]b[5]\n", 1000, 200},                   // no span, no scroll
        {"a[10]\nb[6]\n", 13, 215},                  // falling stamps, moving down
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.pos));
        Page(c.file);
        Frame(c.pos);
        if (c.top > 0) {
            EXPECT_EQ(At(21, c.top - 1), background);
            EXPECT_NE(At(21, c.top), background);
            EXPECT_NE(At(21, c.top), bottomInk);
        }
        EXPECT_EQ(At(21, c.top + 9), bottomInk);
        EXPECT_NE(At(21, c.top + 8), bottomInk);
        EXPECT_EQ(At(19, c.top + 5), background);  // lines start at x = 20
    }
}

TEST_F(KaraokeTest, PiecesUpToThePositionAreSungTheRestToCome)
{
    // Probes: the x of a piece and the line it stands on (its top).
    struct Probe {
        int x, top;
        bool sung;
    };
    struct {
        const char* file;
        long pos;
        std::vector<Probe> probes;
    } cases[] = {
        // Raise at 20, your at 56, glass at 86; to at 20, the at 38, stars at 62.
        {example, 3, {{21, 200, false}, {57, 200, false}, {87, 200, false}}},
        {example, 4, {{21, 200, true}, {57, 200, false}, {87, 200, false}}},
        {example, 5, {{21, 200, true}, {57, 200, true}, {87, 200, false}, {21, 210, false}}},
        {example, 9, {{87, 185, true}, {39, 195, true}, {63, 195, false}}},
        {example, 10, {{21, 180, true}, {63, 190, true}}},  // nothing later: all sung
        // The switch comes at the first later piece; falling stamps after it stay unsung.
        {"a[5]b[3]c[9]\n", 4, {{21, 200, false}, {27, 200, false}, {33, 200, false}}},
        {"a[5]b[3]c[9]\n", 6, {{21, 200, true}, {27, 200, true}, {33, 200, false}}},
    };
    for (auto& c : cases) {
        Page(c.file);
        Frame(c.pos);
        for (const Probe& p : c.probes)
            EXPECT_EQ(At(p.x, p.top + 1), p.sung ? sungInk : unsungInk)
                << c.file << " at " << c.pos << ", x " << p.x << " top " << p.top;
    }
}

TEST_F(KaraokeTest, TheSwitchIsTakenAboveTheTopEdgeToo)
{
    // a and b have scrolled away; b's late stamp still turns the c lines,
    // sung long ago, into the colours still to come.
    std::string lyrics = "a[2]\nb[90]\n";
    for (int i = 0; i < 40; i++)
        lyrics += "c[3]\n";
    lyrics += "z[20]\n";
    Page(lyrics);
    Frame(12);  // first line at 200 - 10 x 430 / 18 = -38: a, b and one c line hidden
    EXPECT_EQ(At(21, 3), unsungInk);
    EXPECT_EQ(At(21, 100), unsungInk);
}

TEST_F(KaraokeTest, TheTileCoversTheWorkArea)
{
    BITMAP* tile = create_bitmap(30, 20);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++)
            putpixel(tile, x, y, makecol(x * 8, y * 12, 77));
    Read("");
    page->CreateWindow(100, 50, tile);
    page->FillBackground();
    for (auto xy : {std::make_pair(0, 0), {29, 19}, {30, 20}, {45, 7}, {99, 49}, {61, 40}})
        EXPECT_EQ(At(xy.first, xy.second), PixelAt(tile, xy.first % 30, xy.second % 20))
            << xy.first << "," << xy.second;
    destroy_bitmap(tile);
}

TEST_F(KaraokeTest, AWorkAreaThatCannotBeHadIsNeverDrawn)
{
    ResetScreen();
    Read(example);
    SoundLog sound;
    AlertLog alerts;
    std::vector<unsigned> rests;
    RestHookGuard hook([&](unsigned ms) { rests.push_back(ms); });
    page->CreateWindow(1 << 16, 1 << 16, nullptr);
    EXPECT_EQ(page->workarea, nullptr);
    EXPECT_EQ(alerts.messages, std::vector<std::string>{"workarea failed"});
    page->Play(0, 0);
    EXPECT_TRUE(rests.empty());
    EXPECT_TRUE(sound.calls.empty());
}

TEST_F(KaraokeTest, PlayShowsFramesUntilTheSongEndsOrTheKey)
{
    LoadTestData();
    for (bool keyHeld : {false, true}) {
        SCOPED_TRACE(keyHeld ? "space held" : "song ends");
        ResetScreen();
        key[KEY_SPACE] = keyHeld;
        Read(example);
        page->song = DATA_MIDI(DAT_SONG_PITCH1_BACKING);
        page->CreateWindow(page->Width() + 40, 400, nullptr);
        SoundLog sound;
        std::vector<unsigned> rests;
        long posAtWait = 0;
        RestHookGuard hook([&](unsigned ms) {
            rests.push_back(ms);
            if (ms == 300)
                posAtWait = midi_pos;
            if (rests.size() == 4)
                midi_pos = -1;  // the song is over after three frames
        });
        page->Play(100, 40);
        EXPECT_EQ(posAtWait, -1);  // the wait comes before the song
        EXPECT_EQ(sound.calls, (std::vector<std::string>{"play_midi 33 0", "stop_midi"}));
        if (keyHeld) {
            EXPECT_EQ(rests, std::vector<unsigned>{300});
            EXPECT_EQ(PixelAt(screen, 100, 40), (Rgb{0, 0, 0}));
        } else {
            EXPECT_EQ(rests, (std::vector<unsigned>{300, 1, 1, 1}));
            EXPECT_EQ(PixelAt(screen, 100, 40), background);
            EXPECT_EQ(PixelAt(screen, 121, 241), unsungInk);  // at 0, nothing sung yet
        }
    }
}

TEST_F(KaraokeTest, TheGameFontTakesTheColoursOfThePalettes)
{
    LoadTestData();
    delete page;
    page = new Karaoke(WriteLyrics(example).c_str(), (FONT*)thedata1[DAT2_LYRICS_FONT].dat,
                       DATA2_PALETTE(DAT2_SUNG_PALETTE), DATA2_PALETTE(DAT2_UNSUNG_PALETTE),
                       &someSong);
    page->CreateWindow(page->Width() + 40, 400, nullptr);
    Frame(5);  // "Raise your " sung, "glass" to come
    FONT* f = page->lyricFont;
    int glassX = 20 + text_length(f, "Raise your ");
    auto inks = [&](int x, int w) {
        std::vector<Rgb> seen;
        for (int y = 200; y < 200 + text_height(f); y++)
            for (int xx = x; xx < x + w; xx++) {
                Rgb c = At(xx, y);
                if (c != background && std::find(seen.begin(), seen.end(), c) == seen.end())
                    seen.push_back(c);
            }
        return seen;
    };
    std::vector<Rgb> sung = inks(20, text_length(f, "Raise")),
                     unsung = inks(glassX, text_length(f, "glass"));
    ASSERT_FALSE(sung.empty());
    ASSERT_FALSE(unsung.empty());
    for (const Rgb& c : sung)
        EXPECT_EQ(std::find(unsung.begin(), unsung.end(), c), unsung.end())
            << c.r << "," << c.g << "," << c.b << " in both";
}

}  // namespace

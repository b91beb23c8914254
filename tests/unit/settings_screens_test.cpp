// The graphics and sound settings screens, played through the key table: the
// mode chains against a library that refuses chosen modes (which mode results,
// which message the player is shown), the pictures after a change of depth,
// and the volumes and sound calls of each pick.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "app/main.h"
#include "spies.h"
#include "testing.h"
#include "ui/dialogs.h"
#include "ui/graphicsmodes.h"

namespace {

// Plays a settings screen: picks the given entries one after another (each
// press lands in the first sleep of its entry), releases every press at the
// next short wait, and closes each message box that waits for a press,
// keeping a copy of the screen as the box showed it.
struct Player {
    std::vector<int> picks;
    size_t next = 0;
    int sleeps = 0;
    std::vector<BITMAP*> boxes;

    explicit Player(std::vector<int> p) : picks(std::move(p)) {}
    ~Player()
    {
        for (BITMAP* b : boxes)
            destroy_bitmap(b);
    }
    void operator()(unsigned int ms)
    {
        if (ms == 10) {  // a menu's walk
            if (next == picks.size())
                throw std::runtime_error("the menu runs on after the last pick");
            if (++sleeps == 50 * picks[next] + 1) {
                key[KEY_SPACE] = 1;
                next++;
                sleeps = 0;
            }
        } else if (key[KEY_SPACE]) {
            key[KEY_SPACE] = 0;
        } else {  // a wait for a press: a message box
            BITMAP* shot = create_bitmap_ex(bitmap_color_depth(screen), 640, 480);
            blit(screen, shot, 0, 0, 0, 0, 640, 480);
            boxes.push_back(shot);
            key[KEY_SPACE] = 1;
        }
    }
};

// The menus are built with the library's own font, which start-up keeps.
struct MenuFontGuard {
    FONT* before = oldfont;
    MenuFontGuard() { oldfont = font; }
    ~MenuFontGuard() { oldfont = before; }
};

// Whether shot shows the message box with text: the inside of the smallest
// box, light grey with the text centred at y 120 in the current font.
bool ShowsMessage(BITMAP* shot, const char* text)
{
    int depth = bitmap_color_depth(shot);
    BITMAP* want = create_bitmap_ex(depth, 640, 480);
    clear_to_color(want, makecol_depth(depth, 200, 200, 200));
    textout_centre_ex(want, font, text, 320, 120, -1, -1);
    bool same = true;
    for (int y = 101; y < 160 && same; y++)
        for (int x = 251; x < 390 && same; x++)
            same = getpixel(shot, x, y) == getpixel(want, x, y);
    destroy_bitmap(want);
    return same;
}

const int W = GFX_AUTODETECT_WINDOWED, F = GFX_AUTODETECT_FULLSCREEN;
using Mode = std::pair<int, int>;  // depth, card

struct GraphicsSettingsTest : ::testing::Test {
    MenuFontGuard menuFont;
    std::vector<Mode> requests;
    std::set<Mode> offered;  // what the machine grants

    void SetUp() override
    {
        LoadTestData();
        set_color_depth(32);
        ResetScreen();
    }
    void TearDown() override
    {
        set_color_depth(32);
        ResetScreen();
        MatchPicturesToScreen();  // the other tests want the pictures as loaded
    }
    // Runs the screen, picking entry, on a machine that grants offered.
    bool Run(Player& player)
    {
        ModeHookGuard mode([this](int card) {
            requests.push_back({get_color_depth(), card});
            return FakeModeRequest(offered.count({get_color_depth(), card}) > 0);
        });
        RestHookGuard rest([&player](unsigned int ms) { player(ms); });
        return Settings();
    }
};

TEST_F(GraphicsSettingsTest, EachChainEndsOnTheFirstModeGrantedWithItsMessage)
{
    const std::set<Mode> all = {{32, W}, {24, W}, {32, F}, {24, F}};
    struct {
        int entry;
        std::set<Mode> offered;
        Mode result;
        const char* message;  // null: none
    } cases[] = {
        {MODE_32_WINDOWED, all, {32, W}, nullptr},
        {MODE_24_WINDOWED, all, {24, W}, nullptr},
        {MODE_32_FULLSCREEN, all, {32, F}, nullptr},
        {MODE_24_FULLSCREEN, all, {24, F}, nullptr},
        {MODE_32_WINDOWED, {{24, W}, {32, F}, {24, F}}, {24, W}, "Depth 24!"},
        {MODE_32_WINDOWED, {{32, F}, {24, F}}, {32, F}, "Fullscreen!"},
        {MODE_32_WINDOWED, {{24, F}}, {24, F}, "Fullscreen 24!"},
        {MODE_24_WINDOWED, {{32, W}, {32, F}}, {32, W}, "Depth 32!"},
        {MODE_24_WINDOWED, {{24, F}, {32, F}}, {24, F}, "Fullscreen!"},
        {MODE_24_WINDOWED, {{32, F}}, {32, F}, "Fullscreen 32!"},
        {MODE_32_FULLSCREEN, {{24, F}, {32, W}}, {24, F}, "Depth 24!"},
        {MODE_32_FULLSCREEN, {{32, W}, {24, W}}, {32, W}, "Windowed!"},
        {MODE_32_FULLSCREEN, {{24, W}}, {24, W}, "Windowed 24!"},
        {MODE_24_FULLSCREEN, {{32, F}, {24, W}}, {32, F}, "Depth 32!"},
        {MODE_24_FULLSCREEN, {{24, W}}, {24, W}, "Windowed!"},
        {MODE_24_FULLSCREEN, {{32, W}}, {32, W}, "Windowed 32!"},
    };
    for (auto& c : cases) {
        std::string what = std::to_string(c.entry) + " -> " + (c.message ? c.message : "none");
        requests.clear();
        offered = c.offered;
        Player player({c.entry});
        bool ok = false;
        EXPECT_NO_THROW(ok = Run(player)) << what;
        EXPECT_TRUE(ok) << what;
        ASSERT_FALSE(requests.empty()) << what;
        EXPECT_EQ(requests.back(), c.result) << what;
        EXPECT_EQ(offered.count(requests.back()), 1u) << what;
        ASSERT_TRUE(screen) << what;
        EXPECT_EQ(bitmap_color_depth(screen), c.result.first) << what;
        if (c.message) {
            ASSERT_EQ(player.boxes.size(), 1u) << what;
            EXPECT_TRUE(ShowsMessage(player.boxes[0], c.message)) << what;
        } else {
            EXPECT_TRUE(player.boxes.empty()) << what;
        }
        EXPECT_EQ(key[KEY_SPACE], 0) << what << ": the picking press is waited out";
    }
}

// Every chain holds the four modes; when none is granted the screen ends at
// once, without drawing (there is nothing to draw on) and without waiting for
// a key that no window can report any more.
TEST_F(GraphicsSettingsTest, NoModeLeftEndsTheScreenWithoutAScreen)
{
    for (int entry = 0; entry < MODE_ENTRIES; entry++) {
        requests.clear();
        libraryMessages.clear();
        offered.clear();
        ResetScreen();
        Player player({entry});
        bool ok = true;
        EXPECT_NO_THROW(ok = Run(player)) << entry;
        EXPECT_FALSE(ok) << entry;
        EXPECT_EQ(requests.size(), 4u) << entry;
        EXPECT_EQ(std::set<Mode>(requests.begin(), requests.end()).size(), 4u) << entry;
        EXPECT_EQ(screen, nullptr) << entry;
        EXPECT_TRUE(player.boxes.empty()) << entry;
        EXPECT_EQ(libraryMessages, std::vector<std::string>{"Unable to set the graphic mode. "
                                                            "Tried with 32/24 bit "
                                                            "fullscreen/windowed."})
            << entry;
    }
}

TEST_F(GraphicsSettingsTest, CancelLeavesTheModeAlone)
{
    offered = {{32, W}, {24, W}, {32, F}, {24, F}};
    BITMAP* before = screen;
    Player player({5});
    bool ok = false;
    EXPECT_NO_THROW(ok = Run(player));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(screen, before);
    EXPECT_EQ(key[KEY_SPACE], 0);
}

// After a change to 24 bits every picture of both files is in the new depth
// and draws as a sprite with its colours and its mask; a change back brings
// them to 32 bits unharmed.
TEST_F(GraphicsSettingsTest, PicturesFollowTheDepth)
{
    offered = {{32, W}, {24, W}, {32, F}, {24, F}};
    const int sprites[] = {DAT_ITEM_SHEET, DAT_ARROW_WHEEL, DAT_TAMM_FIRST, DAT_GURK_FIRST};
    std::vector<BITMAP*> originals;
    for (int i : sprites) {
        BITMAP* b = DATA_BITMAP(i);
        ASSERT_EQ(bitmap_color_depth(b), 32);
        originals.push_back(create_bitmap_ex(32, b->w, b->h));
        blit(b, originals.back(), 0, 0, 0, 0, b->w, b->h);
    }
    auto expectDepth = [](int depth) {
        for (DATAFILE* data : {thedata, thedata1})
            for (DATAFILE* o = data; o->type != DAT_END; o++)
                if (o->type == DAT_BITMAP)
                    EXPECT_EQ(bitmap_color_depth(static_cast<BITMAP*>(o->dat)), depth)
                        << (data == thedata ? "data.dat " : "data2.dat ") << o - data;
    };
    auto expectDrawnAsSprites = [&](int depth) {
        const int fill = makecol_depth(depth, 1, 2, 3);
        for (size_t k = 0; k < originals.size(); k++) {
            BITMAP* original = originals[k];
            BITMAP* on = create_bitmap_ex(depth, original->w, original->h);
            clear_to_color(on, fill);
            draw_sprite(on, DATA_BITMAP(sprites[k]), 0, 0);
            int wrong = 0, masked = 0;
            for (int y = 0; y < original->h; y++)
                for (int x = 0; x < original->w; x++) {
                    int c = getpixel(original, x, y);
                    bool mask = c == MASK_COLOR_32;
                    masked += mask;
                    int want = mask ? fill
                                    : makecol_depth(depth, getr32(c), getg32(c), getb32(c));
                    wrong += getpixel(on, x, y) != want;
                }
            EXPECT_GT(masked, 0) << sprites[k] << " is a sprite";
            EXPECT_EQ(wrong, 0) << sprites[k] << " at " << depth << " bits";
            destroy_bitmap(on);
        }
    };

    Player to24({MODE_24_WINDOWED});
    EXPECT_NO_THROW(Run(to24));
    expectDepth(24);
    expectDrawnAsSprites(24);

    Player back({MODE_32_FULLSCREEN});
    EXPECT_NO_THROW(Run(back));
    expectDepth(32);
    expectDrawnAsSprites(32);
    for (BITMAP* b : originals)
        destroy_bitmap(b);
}

// The start-up goes through the chain of "32 bit windowed" and tells whether
// it got a window.
TEST_F(GraphicsSettingsTest, StartUpChain)
{
    struct {
        std::set<Mode> offered;
        bool found, windowed;
        int depth;
    } cases[] = {
        {{{32, W}, {24, W}, {32, F}, {24, F}}, true, true, 32},
        {{{24, W}, {32, F}}, true, true, 24},
        {{{24, F}}, true, false, 24},
        {{}, false, false, 0},
    };
    for (auto& c : cases) {
        offered = c.offered;
        ModeHookGuard mode([this](int card) {
            return FakeModeRequest(offered.count({get_color_depth(), card}) > 0);
        });
        bool windowed = !c.windowed;
        EXPECT_EQ(FindGraphicsMode(windowed), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(windowed, c.windowed);
        EXPECT_EQ(bitmap_color_depth(screen), c.depth);
    }
}

struct SoundSettingsTest : ::testing::Test {
    MenuFontGuard menuFont;
    void SetUp() override
    {
        LoadTestData();
        ResetScreen();
    }
    void TearDown() override
    {
        gv.soundVolume = gv.musicVolume = 128;
        midi_pos = -1;
    }
};

enum { MUSIC_FULL, MUSIC_MEDIUM, MUSIC_OFF, FX_FULL, FX_MEDIUM, FX_OFF, RETURN };

TEST_F(SoundSettingsTest, EachPickIsSetHeardAndKept)
{
    struct {
        const char* what;
        int sound, music;
        long midiPos;  // below 0: no song playing when the screen opens
        std::vector<int> picks;
        std::vector<std::string> calls;
        int soundAfter, musicAfter;
    } cases[] = {
        {"music off then full: the song goes on", 128, 128, 3, {MUSIC_OFF, MUSIC_FULL, RETURN},
         {"set_volume 128 0", "set_volume 128 255"}, 128, 255},
        {"music off then return stops the song", 128, 128, 3, {MUSIC_OFF, RETURN},
         {"set_volume 128 0", "stop_midi"}, 128, 0},
        {"music full with no song starts the menu music", 128, 0, -1, {MUSIC_FULL, RETURN},
         {"set_volume 128 255", "play_midi 32 1"}, 128, 255},
        {"music medium starts it once", 128, 0, -1, {MUSIC_MEDIUM, MUSIC_FULL, RETURN},
         {"set_volume 128 128", "play_midi 32 1", "set_volume 128 255"}, 128, 255},
        {"effects full, medium, off", 128, 128, 3, {FX_FULL, FX_MEDIUM, FX_OFF, RETURN},
         {"set_volume 255 128", "play_sample 43 255 128 1000 0", "set_volume 128 128",
          "play_sample 43 255 128 1000 0", "set_volume 0 128"},
         0, 128},
        {"return at once changes nothing", 77, 200, 3, {RETURN}, {}, 77, 200},
        {"return at once with the music at 0 stops it", 128, 0, 3, {RETURN}, {"stop_midi"}, 128,
         0},
    };
    for (auto& c : cases) {
        gv.soundVolume = c.sound;
        gv.musicVolume = c.music;
        midi_pos = c.midiPos;
        SoundLog log;
        Player player(c.picks);
        {
            RestHookGuard rest([&player](unsigned int ms) { player(ms); });
            EXPECT_NO_THROW(SoundSettings()) << c.what;
        }
        EXPECT_EQ(log.calls, c.calls) << c.what;
        EXPECT_EQ(gv.soundVolume, c.soundAfter) << c.what;
        EXPECT_EQ(gv.musicVolume, c.musicAfter) << c.what;
        EXPECT_EQ(player.next, c.picks.size()) << c.what;
        EXPECT_EQ(key[KEY_SPACE], 0) << c.what << ": the last press is waited out";
    }
}

}  // namespace

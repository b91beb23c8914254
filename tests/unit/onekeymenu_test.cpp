// The one-key menu: its geometry and bevels as drawn, and the walk of the
// highlight, timed through the rest() hook and driven through the key table.
#include <gtest/gtest.h>

#include "testing.h"
#include "ui/onekeymenu.h"

namespace {

const char* mainEntries[] = {"Play", "Help", "About", "Song & Music", "GFX Settings",
                             "Sound Settings", "Quit"};

struct MenuTest : ::testing::Test {
    Onekeymenu menu{font, makecol(180, 0, 0), makecol(134, 134, 134), 0, makecol(70, 40, 40)};
    void SetUp() override
    {
        ResetScreen();
        for (const char* e : mainEntries)
            menu.add(e);
        menu.fix_widths(10);
    }
    Rgb At(int x, int y) { return PixelAt(screen, x, y); }
};

const Rgb frameFill{140, 140, 140}, frameLight{197, 197, 197}, frameDark{70, 70, 70};
const Rgb plainFill{134, 134, 134}, litFill{180, 0, 0}, litLight{217, 127, 127},
    litDark{90, 0, 0};

TEST_F(MenuTest, MainMenuGeometryAndBevels)
{
    EXPECT_EQ(menu.count, 7);
    EXPECT_EQ(menu.width, 132);  // "Sound Settings" is 112 pixels in the library font
    key[KEY_SPACE] = 1;          // held at the start: entry 0 after the first drawing
    EXPECT_EQ(menu.do_menu(255, 150, 500, KEY_SPACE), 0);

    // Frame 162 x 178 from (255, 150): light top and left, dark right and bottom,
    // the top-right and bottom-left corners dark.
    EXPECT_EQ(At(300, 150), frameLight);
    EXPECT_EQ(At(255, 200), frameLight);
    EXPECT_EQ(At(417, 200), frameDark);
    EXPECT_EQ(At(300, 328), frameDark);
    EXPECT_EQ(At(417, 150), frameDark);
    EXPECT_EQ(At(255, 328), frameDark);
    EXPECT_EQ(At(260, 155), frameFill);
    EXPECT_EQ(At(418, 200), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(300, 329), (Rgb{0, 0, 0}));

    // Entry boxes from x 270 to 402, 23 pixels apart from y 160; row 0 lit.
    EXPECT_EQ(At(270, 160), litLight);
    EXPECT_EQ(At(402, 165), litDark);
    EXPECT_EQ(At(280, 175), litDark);
    EXPECT_EQ(At(272, 162), litFill);
    for (int row = 1; row < 7; row++) {
        int top = 160 + 23 * row;
        EXPECT_EQ(At(272, top + 2), plainFill) << row;
        EXPECT_EQ(At(272, top + 16), frameFill) << row;  // the gap between rows
    }
    EXPECT_EQ(At(269, 165), frameFill);
    EXPECT_EQ(At(403, 165), frameFill);
}

TEST_F(MenuTest, Shades)
{
    struct {
        Rgb colour, light, dark;
    } cases[] = {
        {{140, 140, 140}, {197, 197, 197}, {70, 70, 70}},
        {{134, 134, 134}, {194, 194, 194}, {67, 67, 67}},
        {{180, 0, 0}, {217, 127, 127}, {90, 0, 0}},
        {{255, 255, 255}, {255, 255, 255}, {127, 127, 127}},
        {{0, 0, 0}, {127, 127, 127}, {0, 0, 0}},
    };
    for (auto& c : cases) {
        int colour = makecol(c.colour.r, c.colour.g, c.colour.b);
        int light = menu.hilite(colour), dark = menu.lolite(colour);
        EXPECT_EQ((Rgb{getr(light), getg(light), getb(light)}), c.light) << c.colour.r;
        EXPECT_EQ((Rgb{getr(dark), getg(dark), getb(dark)}), c.dark) << c.colour.r;
    }
}

// Presses the key during the n-th sleep of the walk; the menu then returns the
// entry lit at its next poll.
TEST_F(MenuTest, WalkPicksTheEntryLitAtTheNextPoll)
{
    struct {
        int interval;
        int pressAtSleep;  // 1-based; 0: held before the run
        int picked;
        const char* what;
    } cases[] = {
        {500, 0, 0, "held at the start"},
        {500, 1, 0, "press in the first sleep"},
        {500, 49, 0, "press in the next to last sleep"},
        {500, 50, 1, "press in the last sleep goes to the next entry"},
        {500, 7 * 50, 0, "after the last entry the walk wraps to the first"},
        {500, 3 * 7 * 50 + 120, 2, "the walk goes on until a press"},
        {15, 3, 3, "below 20 ms each entry still gets one sleep"},
        {5, 1, 1, "an interval under 10 ms too"},
        {20, 4, 2, "two sleeps per entry at 20 ms"},
    };
    for (auto& c : cases) {
        ResetScreen();
        int sleeps = 0;
        bool allTen = true;
        RestHookGuard hook([&](unsigned int ms) {
            allTen = allTen && ms == 10;
            if (++sleeps == c.pressAtSleep)
                key[KEY_SPACE] = 1;
        });
        if (c.pressAtSleep == 0)
            key[KEY_SPACE] = 1;
        EXPECT_EQ(menu.do_menu(255, 150, c.interval, KEY_SPACE), c.picked) << c.what;
        EXPECT_EQ(sleeps, c.pressAtSleep) << c.what;
        EXPECT_TRUE(allTen) << c.what;
        // The lit box is the one returned.
        EXPECT_EQ(At(272, 162 + 23 * c.picked), litFill) << c.what;
    }
}

TEST_F(MenuTest, WidthsAndDefaults)
{
    Onekeymenu empty(font, 1, 2, 3, 4);
    EXPECT_EQ(empty.width, 100);
    EXPECT_EQ(empty.height, 15);
    EXPECT_EQ(empty.count, 0);
    empty.fix_widths(10);
    EXPECT_EQ(empty.width, 20);
}

// The escape question: nothing is drawn while the key is still held from the
// press before, and the pick is returned only once that press is released.
TEST_F(MenuTest, QuestionWaitsForTheKeyBeforeAndAfter)
{
    Onekeymenu question(font, makecol(180, 0, 0), makecol(134, 134, 134), 0, makecol(70, 40, 40));
    question.add("Yes");
    question.add("No");
    key[KEY_SPACE] = 1;
    enum { HELD, WALKING, PICKED } phase = HELD;
    int sleeps = 0, drawnWhileHeld = 0, afterPick = 0;
    RestHookGuard hook([&](unsigned int ms) {
        sleeps++;
        if (phase == HELD) {
            if (At(300, 110) != (Rgb{0, 0, 0}))
                drawnWhileHeld++;
            if (sleeps == 30) {
                key[KEY_SPACE] = 0;
                phase = WALKING;
            }
        } else if (phase == WALKING && ms == 10 && sleeps == 30 + 60) {
            key[KEY_SPACE] = 1;  // during entry 1 ("No"), 50 sleeps per entry
            phase = PICKED;
        } else if (phase == PICKED && ++afterPick == 5) {
            key[KEY_SPACE] = 0;
        }
    });
    EXPECT_EQ(question.do_menu2("Escape?", 254, 100, 500, KEY_SPACE), 1);
    EXPECT_EQ(drawnWhileHeld, 0);
    EXPECT_EQ(afterPick, 5);
    EXPECT_EQ(key[KEY_SPACE], 0);
    // Two extra rows: the frame is 4 x 15 + 3 x 8 + 25 = 109 high, the title
    // in row 1, "Yes" in row 2 at y 156.
    EXPECT_EQ(At(300, 209), frameDark);
    EXPECT_EQ(At(272, 158), plainFill);
    EXPECT_EQ(At(272, 181), litFill);
}

}  // namespace

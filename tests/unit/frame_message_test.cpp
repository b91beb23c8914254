// The bevelled frame's shades and extent, and the message box: its size,
// what it saves and puts back, and the press it waits for.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "game/classes.h"
#include "session/message.h"
#include "testing.h"

namespace {

TEST(FrameTest, ShadesRingsAndLeavesTheInsideAlone)
{
    struct {
        Rgb colour;
        Rgb c[5];
    } cases[] = {
        {{255, 255, 255}, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {170, 170, 170}, {85, 85, 85}}},
        {{0, 0, 0}, {{170, 170, 170}, {85, 85, 85}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {{40, 240, 20}, {{182, 250, 176}, {111, 245, 98}, {40, 240, 20}, {26, 160, 12}, {13, 80, 6}}},
    };
    const Rgb sentinel{1, 2, 3};
    for (auto& c : cases) {
        ResetScreen();
        clear_to_color(screen, makecol(1, 2, 3));
        Frame(screen, 10, 10, 20, 20, makecol(c.colour.r, c.colour.g, c.colour.b));
        for (int i = 0; i < 5; i++) {
            int lo = 9 - i, hi = 21 + i;
            EXPECT_EQ(PixelAt(screen, 15, lo), c.c[4 - i]) << "top ring " << i;
            EXPECT_EQ(PixelAt(screen, lo, 15), c.c[4 - i]) << "left ring " << i;
            EXPECT_EQ(PixelAt(screen, 15, hi), c.c[i]) << "bottom ring " << i;
            EXPECT_EQ(PixelAt(screen, hi, 15), c.c[i]) << "right ring " << i;
        }
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                bool inside = x >= 10 && x <= 20 && y >= 10 && y <= 20;
                bool outside = x < 5 || x > 25 || y < 5 || y > 25;
                if (inside || outside)
                    ASSERT_EQ(PixelAt(screen, x, y), sentinel) << x << "," << y;
            }
    }
}

struct MessageTest : ::testing::Test {
    void SetUp() override
    {
        LoadTestData();
        ResetScreen();
        // A pattern, so that a wrong copy back shows.
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                putpixel(screen, x, y, makecol(x & 255, y & 255, (x ^ y) & 255));
    }
};

TEST_F(MessageTest, BoxSizeSavedAreaAndRestore)
{
    struct {
        std::string text;
        int left, right;
    } cases[] = {
        {"Hi", 250, 390},                            // the smallest box, 140 wide
        {std::string(38, 'x'), 148, 492},            // 304 pixels of text + 40
        {"Level completion 500 pts", 204, 436},
    };
    for (auto& c : cases) {
        ASSERT_EQ(text_length(font, c.text.c_str()) + 40 < 140 ? 140 : text_length(font, c.text.c_str()) + 40,
                  c.right - c.left);
        BITMAP* before = create_bitmap(640, 480);
        blit(screen, before, 0, 0, 0, 0, 640, 480);
        Rgb inLeft, inRight, outLeft, outRight, frameOuter, frameBeyond, below;
        int polls = 0;
        RestHookGuard hook([&](unsigned int) {
            if (polls++ == 0) {
                inLeft = PixelAt(screen, c.left, 100);
                inRight = PixelAt(screen, c.right, 160);
                outLeft = PixelAt(screen, c.left - 1, 130);
                outRight = PixelAt(screen, c.right + 1, 130);
                frameOuter = PixelAt(screen, c.left - 5, 95);
                frameBeyond = PixelAt(screen, c.left - 6, 94);
                below = PixelAt(screen, c.right + 6, 166);
            }
            key[KEY_SPACE] = 1;
        });
        Message(c.text.c_str());
        const Rgb grey{200, 200, 200};
        EXPECT_EQ(inLeft, grey) << c.text;
        EXPECT_EQ(inRight, grey) << c.text;
        EXPECT_NE(outLeft, grey) << c.text;  // the frame's inner ring, darker
        EXPECT_NE(outRight, grey) << c.text;
        EXPECT_EQ(frameOuter, (Rgb{236, 236, 236})) << c.text;  // the lightest, outermost ring
        EXPECT_EQ(frameBeyond, PixelAt(before, c.left - 6, 94)) << c.text;
        EXPECT_EQ(below, PixelAt(before, c.right + 6, 166)) << c.text;
        // Returned with the key still held, the screen exactly as before.
        EXPECT_TRUE(key[KEY_SPACE]);
        for (int y = 0; y < 480; y++)
            ASSERT_EQ(std::memcmp(screen->line[y], before->line[y], 640 * 4), 0) << "row " << y;
        key[KEY_SPACE] = 0;
        destroy_bitmap(before);
    }
}

TEST_F(MessageTest, AKeyHeldAtTheStartDoesNotCloseIt)
{
    key[KEY_SPACE] = 1;
    int step = 0;
    RestHookGuard hook([&](unsigned int) {
        step++;
        if (step == 3)
            key[KEY_SPACE] = 0;  // let go ...
        if (step == 6)
            key[KEY_SPACE] = 1;  // ... and press again
    });
    Message("Game Over");
    EXPECT_EQ(step, 6);
}

}  // namespace

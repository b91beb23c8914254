// The characters' pictures for each drunk stage and moment of the turn, and
// the next item hidden while Gurk loads.
#include <cmath>
#include <cstring>

#include "gamefixture.h"

namespace {

struct DrawTest : GameTest {
    BITMAP* want = nullptr;
    void SetUp() override
    {
        GameTest::SetUp();
        want = create_bitmap(240, 400);
    }
    void TearDown() override
    {
        destroy_bitmap(want);
        GameTest::TearDown();
    }
    void Clear()
    {
        clear_to_color(game->buffer, makecol(1, 2, 3));
        clear_to_color(want, makecol(1, 2, 3));
    }
    bool Same()
    {
        for (int y = 0; y < 400; y++)
            if (std::memcmp(game->buffer->line[y], want->line[y], 240 * 4))
                return false;
        return true;
    }
    // Sways whose sum is positive (or negative) at the game's clock.
    void Sway(bool negative)
    {
        game->clock = M_PI / 2;
        game->sway1.set(1, 1, negative ? M_PI : 0);
        game->sway2.set(0, 2, 0);
        game->sway3.set(0, 3, 0);
    }
};

TEST_F(DrawTest, GurkPerStageAndTick)
{
    struct {
        int explosions;
        unsigned int tick;
        int picture;
    } cases[] = {
        {0, 0, 14},  {0, 19, 14}, {0, 20, 13},  {1, 5, 16},   {5, 30, 15}, {6, 5, 18},
        {6, 30, 17}, {10, 0, 18}, {11, 25, 17}, {20, 19, 18},
    };
    for (auto& c : cases) {
        Clear();
        game->explosions = c.explosions;
        timer_cnt = c.tick;
        game->DrawGurk();
        draw_sprite(want, DATA_BITMAP(c.picture), 5, 330);
        EXPECT_TRUE(Same()) << c.explosions << " bursts, tick " << c.tick;
    }
}

TEST_F(DrawTest, TammPerStageAndSway)
{
    struct {
        int explosions;
        bool negative;
        int picture;
    } cases[] = {{0, false, 6}, {0, true, 7},  {1, false, 8},   {5, true, 9},
                 {6, false, 10}, {6, true, 11}, {11, false, 10}, {13, true, 11}};
    for (auto& c : cases) {
        Clear();
        game->explosions = c.explosions;
        Sway(c.negative);
        game->DrawTamm();
        draw_sprite(want, DATA_BITMAP(c.picture), 140, 335);
        EXPECT_TRUE(Same()) << c.explosions << " bursts, sway " << c.negative;
    }
}

TEST_F(DrawTest, TammsMisfirePoseLastsTwentyTicks)
{
    struct {
        unsigned int tick;
        bool stillMisfired;
    } cases[] = {{30, true}, {50, true}, {51, false}, {0, false}};  // 0: the next turn began
    for (auto& c : cases) {
        Clear();
        game->misfired = true;
        game->misfireTick = 30;
        timer_cnt = c.tick;
        game->DrawTamm();
        draw_sprite(want, DATA_BITMAP(DAT_TAMM_MISFIRE), 140, 325);  // this drawing still shows it
        EXPECT_TRUE(Same()) << c.tick;
        EXPECT_EQ(game->misfired, c.stillMisfired) << c.tick;
    }
}

TEST_F(DrawTest, NextItemShowsFromTickTwentyOne)
{
    Lay({{0, 5}});
    game->next = game->ShowNext();
    ASSERT_NE(game->next, nullptr);
    EXPECT_EQ(game->next->x, 74.0);
    EXPECT_EQ(game->next->y, 384.0);
    Rgb hidden, shown;
    BITMAP* sprite = game->next->sprite;
    int cx = 0, cy = 0;  // a pixel of the item's picture that is not masked
    for (cy = 0; cy < 30 && !cx; cy++)
        for (int x = 10; x < 20; x++)
            if (getpixel(sprite, x, cy) != bitmap_mask_color(sprite)) {
                cx = x;
                break;
            }
    cy--;
    ASSERT_NE(cx, 0);
    timer_cnt = 20;
    game->DrawItems();
    hidden = PixelAt(game->buffer, 59 + cx, 369 + cy);
    timer_cnt = 21;
    game->DrawItems();
    shown = PixelAt(game->buffer, 59 + cx, 369 + cy);
    int c = getpixel(sprite, cx, cy);
    EXPECT_EQ(shown, (Rgb{getr32(c), getg32(c), getb32(c)}));
    EXPECT_NE(hidden, shown);
}

// An empty field has no kind to draw from: the player is told, no item is
// made, and Game::Play ends such a level as lost instead of going on.
TEST_F(DrawTest, NoItemToHandOut)
{
    Rgb box{0, 0, 0};
    RestHookGuard press([&](unsigned int) {
        box = PixelAt(screen, 320, 105);
        key[KEY_SPACE] = 1;
    });
    EXPECT_EQ(game->ShowNext(), nullptr);
    EXPECT_EQ(box, (Rgb{200, 200, 200}));
    key[KEY_SPACE] = 0;
    EXPECT_EQ(game->Play(1000), 1);
    EXPECT_EQ(game->next, nullptr);
}

TEST_F(DrawTest, NextKindFollowsTheFieldsShare)
{
    Lay({{0, 4}, {1, 1}, {2, 1}, {3, 1}});
    int ones = 0;
    for (int i = 0; i < 400; i++) {
        Ball* b = game->ShowNext();
        ASSERT_TRUE(b->kind == 1 || b->kind == 4);
        ones += b->kind == 1;
        delete b;
    }
    EXPECT_NEAR(ones, 300, 40);
    EXPECT_EQ(timer_cnt, 0u);
}

}  // namespace

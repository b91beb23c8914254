// Groups of a kind and what falls with them.
#include <set>
#include <vector>

#include "gamefixture.h"

namespace {

struct Case {
    const char* what;
    std::vector<std::pair<int, int>> layout;  // place, kind
    int last;                                 // the item just fixed
    int points;
    std::set<int> removed;
};

const Case cases[] = {
    {"a pair scores nothing", {{0, 0}, {8, 0}}, 8, 0, {}},
    {"three with nothing hanging", {{0, 0}, {1, 0}, {8, 0}, {2, 1}}, 8, 6, {0, 1, 8}},
    {"three taking two hangers of other kinds", {{0, 0}, {1, 0}, {8, 0}, {15, 1}, {23, 2}, {5, 3}},
     8, 20, {0, 1, 8, 15, 23}},
    // 9 hangs from 1 and 2 (both in the group) but also from 10, which a
    // top-row item outside the group holds: it stays.
    {"held through items outside the group",
     {{0, 0}, {1, 0}, {2, 0}, {9, 1}, {10, 1}, {3, 2}, {16, 4}}, 2, 6, {0, 1, 2}},
    {"held only through the group's top-row items",
     {{0, 0}, {1, 0}, {2, 0}, {9, 1}, {17, 4}, {24, 5}}, 2, 30, {0, 1, 2, 9, 17, 24}},
    {"the search stops at another kind and at gaps",
     {{0, 0}, {1, 1}, {2, 0}, {9, 0}, {4, 0}}, 9, 0, {}},
    {"the whole field at once",
     {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {15, 3}, {16, 3}},
     8, 110, {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16}},
};

struct ClusterTest : GameTest {};

TEST_F(ClusterTest, RemovesTheGroupAndWhatHangsFromIt)
{
    int pauses = 0;
    RestHookGuard hook([&](unsigned int ms) { pauses += ms == 200; });
    for (const Case& c : cases) {
        game->ClearField();
        for (auto& pk : c.layout)
            ASSERT_EQ(places[pk.first].NewBall(pk.second), 1);
        game->lastPlace = &places[c.last];
        pauses = 0;
        EXPECT_EQ(game->CheckConstel(), c.points) << c.what;
        EXPECT_EQ(pauses, c.points ? 3 : 0) << c.what;
        for (auto& pk : c.layout) {
            bool gone = c.removed.count(pk.first) != 0;
            EXPECT_EQ(places[pk.first].ball == nullptr, gone) << c.what << ": place " << pk.first;
            if (c.points)  // the animation's marks: 1 exactly where items went
                EXPECT_EQ(places[pk.first].flags, gone ? 1 : 0) << c.what << ": place " << pk.first;
        }
        if (c.points)
            EXPECT_EQ(game->clusterCount, static_cast<int>(c.removed.size())) << c.what;
    }
}

TEST_F(ClusterTest, PoppingPicturesSitOnTheRemovedPlaces)
{
    Lay({{0, 0}, {1, 0}, {8, 0}, {15, 1}, {23, 2}});
    game->lastPlace = &places[8];
    std::vector<Rgb> seen;
    BITMAP* pop = DATA2_BITMAP(DAT2_POP_FIRST + 2);
    // The last frame at the centre of place 23 and far from any removed place.
    int cx = 200 + places[23].x, cy = 40 + places[23].y;
    {
        RestHookGuard hook([&](unsigned int) {
            seen.push_back(PixelAt(screen, cx, cy));
        });
        game->CheckConstel();
    }
    ASSERT_EQ(seen.size(), 3u);
    int c = getpixel(pop, 20, 20);
    if (c != bitmap_mask_color(pop))
        EXPECT_EQ(seen[2], (Rgb{getr32(c), getg32(c), getb32(c)}));
    // The field's border is drawn again over the pictures' spill.
    EXPECT_EQ(PixelAt(screen, 198, 100), (Rgb{26, 160, 12}));
}

}  // namespace

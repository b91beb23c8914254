// The four level layouts, place by place.
#include <set>
#include <vector>

#include "gamefixture.h"
#include "session/play.h"

namespace {

using LayoutTest = GameTest;

TEST_F(LayoutTest, TheFourLevels)
{
    const int N = -1;
    struct {
        int level;
        std::vector<int> kinds;  // from place 0; places past the end stay empty
    } cases[] = {
        {1, {0, 1, 2, 3, 0, 1, 2, 3}},
        {2, {N, N, N, 0, 0, N, N, N, N, N, N, 1, N, N, N, N, N, N, 2, 2, N, N, N,
             N, N, N, 3, N, N, N, N, N, N, 4, 4, N, N, N, N, N, N, 5, N, N, N,
             N, N, N, 0, 0, N, N, N, N, N, N, 1, N, N, N, N, N, N, 2, 2}},
        {3, {0, N, 1, 8, 1, N, 0, N, 2, N, 3, N, 3, N, 2,
             4, N, 5, N, 5, N, 4, N, 6, N, 7, N, 7, N, 6}},
        {4, {8, 6, 4, 2, 0, 7, 5, 3, 1, 8, 6, 4, 2, 0, 7, 5, 3, 1, 8, 6, 4, 2, 0,
             7, 5, 3, 1, 8, 6, 4, 2, 0, 7, 5, 3, 1, 8, 6}},
    };
    for (auto& c : cases) {
        game->ClearField();
        LayOutLevel(places, c.level);
        std::set<int> kinds;
        for (int i = 0; i < PLACE_COUNT; i++) {
            int want = i < static_cast<int>(c.kinds.size()) ? c.kinds[i] : N;
            ASSERT_EQ(places[i].ball ? places[i].ball->kind : N, want)
                << "level " << c.level << " place " << i;
            if (want != N)
                kinds.insert(want);
        }
        if (c.level == 4)
            EXPECT_EQ(kinds.size(), 9u);
    }
}

}  // namespace

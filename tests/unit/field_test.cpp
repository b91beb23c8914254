// The grid of places: where each lies, how it is linked, and the items on it.
#include <cmath>

#include "gamefixture.h"

namespace {

using FieldTest = GameTest;

int LinkCount(const Place& p)
{
    return (p.upLeft != nullptr) + (p.upRight != nullptr) + (p.left != nullptr) +
           (p.right != nullptr) + (p.downLeft != nullptr) + (p.downRight != nullptr);
}

TEST_F(FieldTest, CentresFollowTheRows)
{
    struct {
        int place, x, y;
    } cases[] = {{0, 15, 15}, {7, 225, 15}, {8, 30, 42}, {14, 210, 42}, {15, 15, 69},
                 {29, 210, 96}, {45, 15, 177}, {82, 225, 285}, {83, 30, 312}, {89, 210, 312}};
    for (auto& c : cases) {
        EXPECT_EQ(places[c.place].x, c.x) << c.place;
        EXPECT_EQ(places[c.place].y, c.y) << c.place;
    }
}

TEST_F(FieldTest, LinksAtTheEdgesAndInside)
{
    Place* P = places;
    // The corners and edges named one by one.
    EXPECT_EQ(LinkCount(P[0]), 2);
    EXPECT_EQ(P[0].right, &P[1]);
    EXPECT_EQ(P[0].downRight, &P[8]);
    EXPECT_EQ(LinkCount(P[7]), 2);
    EXPECT_EQ(P[7].left, &P[6]);
    EXPECT_EQ(P[7].downLeft, &P[14]);
    EXPECT_EQ(LinkCount(P[15]), 3);
    EXPECT_EQ(P[15].upRight, &P[8]);
    EXPECT_EQ(P[15].right, &P[16]);
    EXPECT_EQ(P[15].downRight, &P[23]);
    EXPECT_EQ(LinkCount(P[83]), 3);
    EXPECT_EQ(P[83].upLeft, &P[75]);
    EXPECT_EQ(P[83].upRight, &P[76]);
    EXPECT_EQ(P[83].right, &P[84]);

    // Rows 1 to 10: inner places have all six links; the ends of a narrow
    // row lack one side, the ends of a wide row three.
    for (int i = 8; i < 83; i++) {
        int c = i % 15;
        bool narrow = c >= 8;
        bool first = c == 0 || c == 8, last = c == 7 || c == 14;
        int expected = !first && !last ? 6 : narrow ? 5 : 3;
        EXPECT_EQ(LinkCount(P[i]), expected) << i;
        if (narrow && first)
            EXPECT_EQ(P[i].left, nullptr) << i;
        if (narrow && last)
            EXPECT_EQ(P[i].right, nullptr) << i;
    }
    for (int i = 84; i < 89; i++)
        EXPECT_EQ(LinkCount(P[i]), 4) << i;
}

TEST_F(FieldTest, LinksAreSymmetricAndJoinNeighbours)
{
    for (int i = 0; i < PLACE_COUNT; i++) {
        const Place& p = places[i];
        if (p.right) EXPECT_EQ(p.right->left, &p) << i;
        if (p.left) EXPECT_EQ(p.left->right, &p) << i;
        if (p.downLeft) EXPECT_EQ(p.downLeft->upRight, &p) << i;
        if (p.downRight) EXPECT_EQ(p.downRight->upLeft, &p) << i;
        if (p.upLeft) EXPECT_EQ(p.upLeft->downRight, &p) << i;
        if (p.upRight) EXPECT_EQ(p.upRight->downLeft, &p) << i;
        // Every link leads to a touching place: 30 pixels apart.
        const Place* links[] = {p.upLeft, p.upRight, p.left, p.right, p.downLeft, p.downRight};
        for (const Place* q : links)
            if (q)
                EXPECT_NEAR(std::hypot(q->x - p.x, q->y - p.y), 30.4, 0.5) << i;
    }
}

TEST_F(FieldTest, DistanceAndDrawingPosition)
{
    Ball* b = MakeBall(4);
    ASSERT_NE(b, nullptr);
    b->Set(places[20].x, places[20].y);
    EXPECT_EQ(places[20].distance(b), 0.0);
    b->Set(places[20].x + 30, places[20].y);
    EXPECT_EQ(places[20].distance(b), 30.0);

    // Truncation toward zero: (15.9, 42.9) draws at (0, 27), (-0.5, 10) at (-15, -5).
    BITMAP* sheet = DATA_BITMAP(DAT_ITEM_SHEET);
    struct {
        double x, y;
        int left, top;
    } cases[] = {{15.9, 42.9, 0, 27}, {-0.5, 10, -15, -5}};
    for (auto& c : cases) {
        BITMAP* got = create_bitmap(100, 100);
        BITMAP* want = create_bitmap(100, 100);
        clear_to_color(got, makecol(0, 0, 255));
        clear_to_color(want, makecol(0, 0, 255));
        b->x = c.x;
        b->y = c.y;
        b->Draw(got);
        // Kind 4 is the middle cell of the sheet.
        masked_blit(sheet, want, 30, 30, c.left, c.top, 30, 30);
        for (int y = 0; y < 100; y++)
            for (int x = 0; x < 100; x++)
                ASSERT_EQ(getpixel(got, x, y), getpixel(want, x, y)) << c.x << " at " << x << "," << y;
        destroy_bitmap(got);
        destroy_bitmap(want);
    }
    delete b;
}

TEST_F(FieldTest, ItemsTakeTheirCellOfTheSheet)
{
    for (int kind = 0; kind < KIND_COUNT; kind++) {
        Ball* b = MakeBall(kind);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->sprite->w, 30);
        EXPECT_EQ(b->sprite->x_ofs, (kind / 3) * 30) << kind;
        EXPECT_EQ(b->sprite->y_ofs, (kind % 3) * 30) << kind;
        delete b;
    }
}

TEST_F(FieldTest, NewBallAndClearField)
{
    game->ClearField();  // empty: nothing to do
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(places[12].NewBall(3), 1);
    EXPECT_EQ(places[12].ball->x, 150.0);
    EXPECT_EQ(places[12].ball->y, 42.0);
    // A kind with no picture makes no item.
    EXPECT_EQ(places[13].NewBall(KIND_COUNT), 0);
    EXPECT_EQ(places[13].ball, nullptr);
    game->ClearField();
    EXPECT_EQ(Count(), 0);
}

}  // namespace

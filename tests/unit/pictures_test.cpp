// The pictures, palettes and fonts as the build made them: sprites with a
// clean mask edge, pictures that fit the places the game draws them at, and
// colour fonts that really draw through the palette in force.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "testing.h"

namespace {

const int MASK = 0xFF00FF;  // the library's mask colour in 32 bits

struct Picture {
    bool second;  // in data2.dat
    int index;
    const char* name;
};

BITMAP* Bitmap(const Picture& p)
{
    return p.second ? DATA2_BITMAP(p.index) : DATA_BITMAP(p.index);
}

// Everything drawn with draw_sprite or rotate_sprite.
const Picture sprites[] = {
    {false, DAT_TITLE_OVERLAY_LOW, "title_low"},   {false, DAT_TITLE_OVERLAY_TOP, "title_top"},
    {false, DAT_TITLE_OVERLAY_LEFT, "title_left"}, {false, DAT_TITLE_OVERLAY_RIGHT, "title_right"},
    {false, DAT_ITEM_SHEET, "items"},              {false, DAT_ARROW_WHEEL, "wheel"},
    {false, DAT_BURST_FIRST + 0, "burst0"},        {false, DAT_BURST_FIRST + 1, "burst1"},
    {false, DAT_BURST_FIRST + 2, "burst2"},        {false, DAT_BURST_FIRST + 3, "burst3"},
    {false, DAT_BURST_FIRST + 4, "burst4"},        {false, DAT_BURST_FIRST + 5, "burst5"},
    {false, DAT_BURST_FIRST + 6, "burst6"},        {true, DAT2_POP_FIRST + 0, "pop0"},
    {true, DAT2_POP_FIRST + 1, "pop1"},            {true, DAT2_POP_FIRST + 2, "pop2"},
    {false, DAT_TAMM_MISFIRE, "tamm_misfire"},     {false, DAT_TAMM_FIRST, "tamm_s0_a"},
    {false, DAT_GURK_FIRST, "gurk_s0"},
};

// Copied whole, and the field also drawn masked once per level.
const Picture opaques[] = {
    {false, DAT_FIELD_BACKGROUND, "field"}, {false, DAT_BACKGROUND, "background"},
    {false, DAT_SCORE_CAPTION, "caption_score"}, {false, DAT_BONUS_CAPTION, "caption_bonus"},
    {false, DAT_DIGIT_STRIP, "digits"}, {false, DAT_CREDITS_PICTURE, "credits"},
    {true, DAT2_LYRICS_TILE, "lyrics_tile"}, {true, DAT2_MP3_PICTURE, "mp3"},
};

struct PicturesTest : ::testing::Test {
    void SetUp() override { LoadTestData(); }
};

// A pixel that antialiasing blended with the mask: red and blue well above
// green and close to each other, as any mix of magenta with a colour of the
// pictures is (the outline brown at 30 % magenta is (118, 25, 90)).
bool Pinkish(int c)
{
    int r = getr32(c), g = getg32(c), b = getb32(c);
    return c != MASK && r - g > 60 && b - g > 60 && std::abs(r - b) < 70;
}

TEST_F(PicturesTest, SpritesHaveAMaskAndNoPinkFringe)
{
    for (const Picture& p : sprites) {
        BITMAP* bmp = Bitmap(p);
        int masked = 0, pink = 0;
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++) {
                int c = getpixel(bmp, x, y) & 0xFFFFFF;
                masked += c == MASK;
                pink += Pinkish(c);
            }
        EXPECT_GT(masked, 0) << p.name << " has no transparent part";
        EXPECT_LT(masked, bmp->w * bmp->h) << p.name << " is empty";
        EXPECT_EQ(pink, 0) << p.name << " has pixels blended with the mask colour";
    }
}

TEST_F(PicturesTest, OpaquePicturesHoldNoMaskColour)
{
    for (const Picture& p : opaques) {
        BITMAP* bmp = Bitmap(p);
        int masked = 0;
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++)
                masked += (getpixel(bmp, x, y) & 0xFFFFFF) == MASK;
        EXPECT_EQ(masked, 0) << p.name;
    }
}

TEST_F(PicturesTest, ItemSheetHoldsNineDifferentFilledCells)
{
    BITMAP* sheet = DATA_BITMAP(DAT_ITEM_SHEET);
    std::vector<std::vector<int>> cells;
    for (int k = 0; k < 9; k++) {
        std::vector<int> cell;
        int solid = 0;
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 30; x++) {
                int c = getpixel(sheet, (k / 3) * 30 + x, (k % 3) * 30 + y) & 0xFFFFFF;
                cell.push_back(c);
                solid += c != MASK;
            }
        EXPECT_GT(solid, 30 * 30 / 4) << "kind " << k << " barely fills its cell";
        for (int j = 0; j < k; j++)
            EXPECT_NE(cells[j], cell) << "kinds " << j << " and " << k << " look the same";
        cells.push_back(cell);
    }
}

// Where the game draws each picture and what must hold there.
TEST_F(PicturesTest, PicturesFitTheirPlaces)
{
    struct Place {
        Picture p;
        int x, y;          // where the game puts the top-left corner
        int cx, cy;        // the picture's centre must land here (-1: not fixed)
        int maxW, maxH;    // the room it has
    };
    const Place places[] = {
        {{false, DAT_TITLE_OVERLAY_LOW, "title_low"}, 0, 202, -1, -1, 640, 278},
        {{false, DAT_TITLE_OVERLAY_TOP, "title_top"}, 0, 0, -1, -1, 640, 480},
        {{false, DAT_TITLE_OVERLAY_LEFT, "title_left"}, 119, 234, -1, -1, 521, 246},
        {{false, DAT_TITLE_OVERLAY_RIGHT, "title_right"}, 412, 236, -1, -1, 228, 244},
        {{false, DAT_ARROW_WHEEL, "wheel"}, 79, 288, 120, 355, 240, 400},
        {{false, DAT_SCORE_CAPTION, "caption_score"}, 460, 40, -1, -1, 98, 14},
        {{false, DAT_BONUS_CAPTION, "caption_bonus"}, 460, 125, -1, -1, 94, 14},
        {{false, DAT_CREDITS_PICTURE, "credits"}, 134, 237, -1, -1, 380, 99},
        // the splash table: the offsets are the distance to the centre
        {{false, DAT_BURST_FIRST + 0, "burst0"}, 0, 0, 25, 22, 240, 400},
        {{false, DAT_BURST_FIRST + 1, "burst1"}, 0, 0, 33, 28, 240, 400},
        {{false, DAT_BURST_FIRST + 2, "burst2"}, 0, 0, 50, 38, 240, 400},
        {{false, DAT_BURST_FIRST + 3, "burst3"}, 0, 0, 62, 31, 240, 400},
        {{false, DAT_BURST_FIRST + 4, "burst4"}, 0, 0, 51, 50, 240, 400},
        {{false, DAT_BURST_FIRST + 5, "burst5"}, 0, 0, 96, 38, 240, 400},
        {{false, DAT_BURST_FIRST + 6, "burst6"}, 0, 0, 77, 32, 240, 400},
    };
    for (const Place& pl : places) {
        BITMAP* bmp = Bitmap(pl.p);
        EXPECT_LE(bmp->w, pl.maxW) << pl.p.name;
        EXPECT_LE(bmp->h, pl.maxH) << pl.p.name;
        if (pl.cx >= 0) {
            EXPECT_LE(std::abs(pl.x + bmp->w / 2 - pl.cx), 1) << pl.p.name << " off centre in x";
            EXPECT_LE(std::abs(pl.y + bmp->h / 2 - pl.cy), 1) << pl.p.name << " off centre in y";
        }
    }
    // The digit strip fills the score box (460, 65)-(610, 105) with 5 cells.
    BITMAP* digits = DATA_BITMAP(DAT_DIGIT_STRIP);
    EXPECT_EQ(digits->w % 10, 0);
    EXPECT_LE(digits->w / 10 * 5, 151);
    EXPECT_EQ(digits->h, 41);
}

TEST_F(PicturesTest, WheelArrowPointsStraightUp)
{
    BITMAP* wheel = DATA_BITMAP(DAT_ARROW_WHEEL);
    int cx = wheel->w / 2;
    int top = -1;  // the highest drawn row on the centre line
    for (int y = 0; y < wheel->h / 2 && top < 0; y++)
        if ((getpixel(wheel, cx, y) & 0xFFFFFF) != MASK)
            top = y;
    ASSERT_GE(top, 0);
    EXPECT_LT(top, 8) << "the arrow's tip should be near the top edge";
    for (int dx = -6; dx <= 6; dx += 12)  // and the arrow stands symmetric
        EXPECT_EQ((getpixel(wheel, cx + dx, top + 10) & 0xFFFFFF) == MASK,
                  (getpixel(wheel, cx - dx, top + 10) & 0xFFFFFF) == MASK);
    for (int y = wheel->h - 20; y < wheel->h; y++)  // the lower part is clear
        for (int x = 0; x < wheel->w; x++)
            ASSERT_EQ(getpixel(wheel, x, y) & 0xFFFFFF, MASK) << x << "," << y;
}

// Writes text with colour -1 under the given palette onto a 32-bit picture
// cleared to bg and returns the colours it drew (bg left out).
std::vector<int> Ink(FONT* f, const RGB* pal, int bg, const char* text)
{
    set_palette(pal);
    BITMAP* bmp = create_bitmap_ex(32, text_length(f, text) + 4, text_height(f) + 4);
    clear_to_color(bmp, bg);
    textout_ex(bmp, f, text, 2, 2, -1, -1);
    std::vector<int> ink;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y) & 0xFFFFFF;
            if (c != bg)
                ink.push_back(c);
        }
    destroy_bitmap(bmp);
    return ink;
}

int Luma(int c)
{
    return (299 * getr32(c) + 587 * getg32(c) + 114 * getb32(c)) / 1000;
}

// A glyph's fill: of the colours that make up at least a sixth of the ink
// (fill and outline, not the soft edges), the lightest or the darkest.
int Fill(const std::vector<int>& ink, bool lightest)
{
    std::vector<std::pair<int, int>> counts;
    for (int c : ink) {
        bool found = false;
        for (auto& e : counts)
            if (e.first == c) {
                e.second++;
                found = true;
            }
        if (!found)
            counts.push_back({c, 1});
    }
    int best = -1;
    for (auto& e : counts)
        if (e.second * 6 >= int(ink.size()) &&
            (best < 0 || (lightest ? Luma(e.first) > Luma(best) : Luma(e.first) < Luma(best))))
            best = e.first;
    return best;
}


TEST_F(PicturesTest, GameFontWritesDarkTextOnThePanels)
{
    FONT* f = (FONT*)thedata[DAT_GAME_FONT].dat;
    ASSERT_TRUE(is_color_font(f));
    EXPECT_GE(text_height(f), 14);
    EXPECT_LE(text_height(f), 18);
    EXPECT_LE(text_height(f), 16) << "the pages' ok button is 16 pixels high";
    for (int panel : {makecol32(200, 200, 200), makecol32(221, 255, 221)}) {
        std::vector<int> ink = Ink(f, DATA_PALETTE(DAT_MAIN_PALETTE), panel, "Orbit Pub Rules!");
        ASSERT_FALSE(ink.empty());
        EXPECT_GT(Luma(panel) - Luma(Fill(ink, false)), 120) << "panel " << std::hex << panel;
    }
}

TEST_F(PicturesTest, LyricsFontChangesColourWithThePalette)
{
    FONT* f = (FONT*)thedata1[DAT2_LYRICS_FONT].dat;
    ASSERT_TRUE(is_color_font(f));
    EXPECT_GE(text_height(f), 24);
    EXPECT_LE(text_height(f), 32);
    BITMAP* tile = DATA2_BITMAP(DAT2_LYRICS_TILE);
    int bg = getpixel(tile, 1, 1) & 0xFFFFFF;
    int sung = Fill(Ink(f, DATA2_PALETTE(DAT2_SUNG_PALETTE), bg, "Orbit Pub rules!"), true);
    int unsung = Fill(Ink(f, DATA2_PALETTE(DAT2_UNSUNG_PALETTE), bg, "Orbit Pub rules!"), true);
    int dr = getr32(sung) - getr32(unsung), dg = getg32(sung) - getg32(unsung),
        db = getb32(sung) - getb32(unsung);
    EXPECT_GT(dr * dr + dg * dg + db * db, 120 * 120) << "sung and unsung look alike";
    for (int fill : {sung, unsung})
        EXPECT_GT(Luma(fill) - Luma(bg), 100) << "text does not stand out from the tile";
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
}

}  // namespace

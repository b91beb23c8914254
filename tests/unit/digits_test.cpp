// The digit printer on a strip whose ten cells are told apart by colour,
// and the oscillator's values and derivatives.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "game/digs.h"
#include "game/sine.h"
#include "testing.h"

namespace {

const int CELL = 10;

struct DigitsTest : ::testing::Test {
    BITMAP* strip = nullptr;
    BITMAP* target = nullptr;
    void SetUp() override
    {
        strip = create_bitmap_ex(32, 10 * CELL, 8);
        for (int d = 0; d < 10; d++)
            rectfill(strip, d * CELL, 0, d * CELL + CELL - 1, 7, makecol32(10 + 20 * d, 0, 0));
        target = create_bitmap_ex(32, 200, 20);
    }
    void TearDown() override
    {
        destroy_bitmap(strip);
        destroy_bitmap(target);
    }
    // The cells of target from x = 0 as text: a digit, or ' ' for untouched.
    std::string Read(int cells)
    {
        std::string s;
        for (int i = 0; i < cells; i++) {
            Rgb c = PixelAt(target, i * CELL + CELL / 2, 4);
            s += c == Rgb{0, 0, 255} ? ' ' : static_cast<char>('0' + (c.r - 10) / 20);
        }
        return s;
    }
};

TEST_F(DigitsTest, PrintsIntoFixedCells)
{
    struct {
        unsigned int value;
        int cells;
        bool zeros;
        const char* shown;
    } cases[] = {
        {126, 5, true, "00126"},  {0, 4, true, "0000"},      {126, 5, false, "  126"},
        {1005, 5, false, " 1005"}, {0, 3, false, "   "},     {123456, 5, true, " 3456"},
        {2147483647u, 10, true, "2147483647"}, {990, 4, true, "0990"},
    };
    Digits digits(strip);
    for (auto& c : cases) {
        clear_to_color(target, makecol32(0, 0, 255));
        digits.zeros = c.zeros;
        digits.Print(target, 0, 0, c.value, static_cast<unsigned char>(c.cells));
        EXPECT_EQ(Read(c.cells + 1), std::string(c.shown) + " ") << c.value;
    }
}

TEST_F(DigitsTest, CountsItsOwnCells)
{
    struct {
        unsigned int value;
        const char* shown;
    } cases[] = {{7, "7"}, {10, "10"}, {999, "999"}, {0, " "}, {1000000000, "1000000000"}};
    Digits digits(strip);
    digits.zeros = false;
    for (auto& c : cases) {
        clear_to_color(target, makecol32(0, 0, 255));
        digits.Print(target, 0, 0, c.value);
        EXPECT_EQ(Read(11), (std::string(c.shown) + "           ").substr(0, 11)) << c.value;
    }
}

TEST_F(DigitsTest, CellSizeAndArithmetic)
{
    BITMAP* wide = create_bitmap_ex(32, 305, 12);
    Digits digits(wide);
    EXPECT_EQ(digits.width, 30);
    EXPECT_EQ(digits.height, 12);
    destroy_bitmap(wide);

    EXPECT_EQ(Digits::mypow(10, 0), 1);
    EXPECT_EQ(Digits::mypow(10, 4), 10000);
    struct {
        int value, digits;
    } logs[] = {{0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {999999999, 9},
                {1000000000, 10}, {2147483647, 10}};
    for (auto& l : logs)
        EXPECT_EQ(Digits::my_log10(l.value), l.digits) << l.value;
}

TEST(SineTest, ValuesDerivativesAndChanges)
{
    Sine one(1, 1, 0);
    EXPECT_DOUBLE_EQ(one.elong(M_PI / 2), 1.0);
    Sine off(0, 3, 1);
    for (double t : {0.0, 0.7, 12.5})
        EXPECT_EQ(off.elong(t), 0.0);

    Sine s(0.5, 2, 0.3);
    Sine d = s.Derived();
    EXPECT_DOUBLE_EQ(d.amplitude, 1.0);
    EXPECT_DOUBLE_EQ(d.frequency, 2.0);
    EXPECT_DOUBLE_EQ(d.phase, 0.3 + 1.5707963267948966);
    Sine dd = d.Derived();
    EXPECT_DOUBLE_EQ(dd.amplitude, 2.0);
    EXPECT_NEAR(dd.phase, 0.3 + M_PI, 1e-15);
    for (double t : {0.0, 0.4, 1.9, 33.3})
        EXPECT_NEAR(dd.elong(t), -4 * s.elong(t), 1e-12) << t;
    double a, w, p;
    s.Derived(&a, &w, &p);
    EXPECT_EQ(a, d.amplitude);
    EXPECT_EQ(w, d.frequency);
    EXPECT_EQ(p, d.phase);

    s.shift(0.05);
    s.shift(0.05);
    EXPECT_NEAR(s.phase, 0.4, 1e-15);
    s.scale(2);
    EXPECT_EQ(s.amplitude, 0.25);
    s.set(3, 4, 5);
    EXPECT_EQ(s.amplitude, 3);
    EXPECT_EQ(s.frequency, 4);
    EXPECT_EQ(s.phase, 5);
}

}  // namespace

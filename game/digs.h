// The digit printer: prints a whole number with glyphs cut from one strip
// bitmap (0 to 9 in ten equal cells), one fixed-width cell per digit.
#ifndef ORBITPUB_GAME_DIGS_H
#define ORBITPUB_GAME_DIGS_H

#include <allegro.h>

class Digits {
public:
    // Set at construction, except zeros, which the owner sets before the
    // first print and keeps.
    BITMAP* strip;  // the glyphs; owned by the data file
    int height;     // glyph height: the strip's height
    int width;      // glyph width: the strip's width / 10
    bool zeros;     // true: leading zeros shown; false: left blank

    explicit Digits(BITMAP* strip);
    ~Digits();

    // Prints value in cells cells (1 to 10) from (x, y) on target.
    void Print(BITMAP* target, int x, int y, unsigned int value, unsigned char cells);
    // The same with as many cells as the value has digits.
    void Print(BITMAP* target, int x, int y, unsigned int value);
    // Copies the cell of digit (0 to 9) to (x, y); -1 draws nothing.
    void Print1(BITMAP* target, int x, int y, int digit);

    static int mypow(int base, int exponent);
    // The number of decimal digits of value, 1 to 10.
    static int my_log10(int value);
};

#endif

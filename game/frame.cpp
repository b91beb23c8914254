#include "game/classes.h"

void Frame(BITMAP* target, int x1, int y1, int x2, int y2, int color)
{
    int X1 = x1 - 1, Y1 = y1 - 1, X2 = x2 + 1, Y2 = y2 + 1;
    int r = getr(color), g = getg(color), b = getb(color);
    int c[5] = {
        makecol(r + 2 * ((255 - r) / 3), g + 2 * ((255 - g) / 3), b + 2 * ((255 - b) / 3)),
        makecol(r + (255 - r) / 3, g + (255 - g) / 3, b + (255 - b) / 3),
        color,
        makecol(2 * (r / 3), 2 * (g / 3), 2 * (b / 3)),
        makecol(r / 3, g / 3, b / 3),
    };
    for (int i = 0; i < 5; i++) {
        line(target, X1 - i, Y1 - i, X2 + i, Y1 - i, c[4 - i]);
        line(target, X1 - i, Y1 - i, X1 - i, Y2 + i, c[4 - i]);
        line(target, X1 - i, Y2 + i, X2 + i, Y2 + i, c[i]);
        line(target, X2 + i, Y1 - i, X2 + i, Y2 + i, c[i]);
    }
}

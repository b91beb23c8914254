#include "ui/onekeymenu.h"

#include "app/poll.h"

Onekeymenu::Onekeymenu(FONT* font, int selBoxColor, int boxColor, int selTextColor, int textColor)
    : count(0), width(100), height(15), top(10), gap(8), bottom(15), side(15),
      frameColor(makecol(140, 140, 140)), selBoxColor(selBoxColor), boxColor(boxColor),
      selTextColor(selTextColor), textColor(textColor), menuFont(font)
{
}

Onekeymenu Onekeymenu::Standard(FONT* font)
{
    return Onekeymenu(font, makecol(180, 0, 0), makecol(134, 134, 134), 0, makecol(70, 40, 40));
}

void Onekeymenu::add(const char* text)
{
    items.push_back(text);
    count = static_cast<int>(items.size());
}

void Onekeymenu::fix_widths(int margin)
{
    int widest = 0;
    for (const std::string& item : items) {
        int w = text_length(menuFont, item.c_str());
        if (w > widest)
            widest = w;
    }
    width = widest + 2 * margin;
}

int Onekeymenu::FrameWidth() const
{
    return width + 2 * side;
}

int Onekeymenu::FrameHeight(int rows) const
{
    return rows * height + (rows - 1) * gap + top + bottom;
}

int Onekeymenu::RowTop(int y, int row) const
{
    return y + top + row * (height + gap);
}

void Onekeymenu::DrawFrame(int x, int y, int rows)
{
    box(x, y, x + FrameWidth(), y + FrameHeight(rows), frameColor);
    text_mode(-1);
}

void Onekeymenu::DrawEntries(int x, int y, int firstRow, int lit)
{
    int centre = x + FrameWidth() / 2;
    for (int j = 0; j < count; j++) {
        int rowTop = RowTop(y, j + firstRow);
        box(x + side, rowTop, x + side + width, rowTop + height, j == lit ? selBoxColor : boxColor);
        textout_centre_ex(screen, menuFont, items[j].c_str(), centre, rowTop + 4,
                          j == lit ? selTextColor : textColor, -1);
    }
}

int Onekeymenu::Walk(int x, int y, int firstRow, int interval, int key)
{
    int polls = interval / 10 > 0 ? interval / 10 : 1;
    for (int lit = 0;; lit = (lit + 1) % count) {
        DrawEntries(x, y, firstRow, lit);
        for (int i = 0; i < polls; i++) {
            if (::key[key])
                return lit;
            rest(10);
        }
    }
}

int Onekeymenu::do_menu(int x, int y, int interval, int key)
{
    DrawFrame(x, y, count);
    return Walk(x, y, 0, interval, key);
}

int Onekeymenu::do_menu2(const char* title, int x, int y, int interval, int key)
{
    WaitKeyUp(key);
    DrawFrame(x, y, count + 2);
    textout_centre_ex(screen, menuFont, title, x + FrameWidth() / 2, RowTop(y, 1) + 4,
                      selTextColor, -1);
    int picked = Walk(x, y, 2, interval, key);
    WaitKeyUp(key);
    return picked;
}

void Onekeymenu::box(int x1, int y1, int x2, int y2, int color)
{
    rectfill(screen, x1, y1, x2, y2, color);
    int light = hilite(color);
    int dark = lolite(color);
    line(screen, x1, y1, x2, y1, light);
    line(screen, x1, y1, x1, y2, light);
    line(screen, x2, y1, x2, y2, dark);
    line(screen, x1, y2, x2, y2, dark);
}

int Onekeymenu::hilite(int color)
{
    int r = getr(color), g = getg(color), b = getb(color);
    return makecol(r + (255 - r) / 2, g + (255 - g) / 2, b + (255 - b) / 2);
}

int Onekeymenu::lolite(int color)
{
    return makecol(getr(color) / 2, getg(color) / 2, getb(color) / 2);
}

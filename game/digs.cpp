#include "game/digs.h"

Digits::Digits(BITMAP* strip)
    : strip(strip), height(strip ? strip->h : 0), width(strip ? strip->w / 10 : 0), zeros(false)
{
}

Digits::~Digits()
{
}

void Digits::Print(BITMAP* target, int x, int y, unsigned int value, unsigned char cells)
{
    int rest = static_cast<int>(value);
    bool leading = true;
    for (int i = cells - 1; i >= 0; i--) {
        int power = mypow(10, i);
        int digit = rest / power;
        if (!(digit == 0 && !zeros && leading)) {
            Print1(target, x, y, digit);
            if (digit != 0)
                leading = false;
            rest -= digit * power;
        }
        x += width;
    }
}

void Digits::Print(BITMAP* target, int x, int y, unsigned int value)
{
    int cells = value == 0 ? 1 : my_log10(static_cast<int>(value));
    Print(target, x, y, value, static_cast<unsigned char>(cells));
}

void Digits::Print1(BITMAP* target, int x, int y, int digit)
{
    if (digit == -1 || !strip)
        return;
    blit(strip, target, digit * width, 0, x, y, width, height);
}

int Digits::mypow(int base, int exponent)
{
    int result = 1;
    for (int i = 0; i < exponent; i++)
        result *= base;
    return result;
}

int Digits::my_log10(int value)
{
    int count = 1;
    int limit = 10;
    while (value >= limit && count <= 9) {
        count++;
        if (count <= 9)
            limit *= 10;
    }
    return count;
}

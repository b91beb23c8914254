#include "session/message.h"

#include <allegro.h>

#include "app/globals.h"
#include "app/poll.h"
#include "game/classes.h"

void Message(const char* text)
{
    int w = text_length(font, text) + 40;
    if (w < 140)
        w = 140;
    int h = w / 2;
    int left = 320 - h, right = 320 + h;
    int colour = makecol(200, 200, 200);

    BITMAP* saved = create_bitmap(2 * h + 11, 71);
    if (saved)
        blit(screen, saved, left - 5, 95, 0, 0, saved->w, saved->h);
    Frame(screen, left, 100, right, 160, colour);
    rectfill(screen, left, 100, right, 160, colour);
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    textout_centre_ex(screen, font, text, 320, 120, -1, -1);

    WaitKeyUp(KEY_SPACE);
    WaitKeyDown(KEY_SPACE);

    if (saved) {
        blit(saved, screen, 0, 0, left - 5, 95, saved->w, saved->h);
        destroy_bitmap(saved);
    }
}

void SetEscaping()
{
    gv.escaping = true;
}

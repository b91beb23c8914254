#include "ui/graphicsmodes.h"

#include <allegro.h>

#include "app/globals.h"

const GraphicsMode modeChains[MODE_ENTRIES][CHAIN_LENGTH] = {
    {{32, GFX_AUTODETECT_WINDOWED, nullptr},
     {24, GFX_AUTODETECT_WINDOWED, "Depth 24!"},
     {32, GFX_AUTODETECT_FULLSCREEN, "Fullscreen!"},
     {24, GFX_AUTODETECT_FULLSCREEN, "Fullscreen 24!"}},
    {{24, GFX_AUTODETECT_WINDOWED, nullptr},
     {32, GFX_AUTODETECT_WINDOWED, "Depth 32!"},
     {24, GFX_AUTODETECT_FULLSCREEN, "Fullscreen!"},
     {32, GFX_AUTODETECT_FULLSCREEN, "Fullscreen 32!"}},
    {{32, GFX_AUTODETECT_FULLSCREEN, nullptr},
     {24, GFX_AUTODETECT_FULLSCREEN, "Depth 24!"},
     {32, GFX_AUTODETECT_WINDOWED, "Windowed!"},
     {24, GFX_AUTODETECT_WINDOWED, "Windowed 24!"}},
    {{24, GFX_AUTODETECT_FULLSCREEN, nullptr},
     {32, GFX_AUTODETECT_FULLSCREEN, "Depth 32!"},
     {24, GFX_AUTODETECT_WINDOWED, "Windowed!"},
     {32, GFX_AUTODETECT_WINDOWED, "Windowed 32!"}},
};

namespace {

void MatchDepth(DATAFILE* data, int depth)
{
    if (!data)
        return;
    for (DATAFILE* object = data; object->type != DAT_END; object++) {
        if (object->type != DAT_BITMAP)
            continue;
        BITMAP* old = static_cast<BITMAP*>(object->dat);
        if (bitmap_color_depth(old) == depth)
            continue;
        BITMAP* converted = create_bitmap_ex(depth, old->w, old->h);
        if (!converted)
            continue;
        // Magenta, the mask colour of every true-colour depth, stays magenta.
        blit(old, converted, 0, 0, 0, 0, old->w, old->h);
        destroy_bitmap(old);
        object->dat = converted;
    }
}

}  // namespace

int SetModeFromChain(const GraphicsMode* chain)
{
    for (int i = 0; i < CHAIN_LENGTH; i++) {
        set_color_depth(chain[i].depth);
        if (set_gfx_mode(chain[i].card, 640, 480, 0, 0) == 0)
            return i;
    }
    return -1;
}

void MatchPicturesToScreen()
{
    int depth = bitmap_color_depth(screen);
    MatchDepth(thedata, depth);
    MatchDepth(thedata1, depth);
}

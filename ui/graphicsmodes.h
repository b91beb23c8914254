// The graphics modes the game runs in (640 x 480 pixels at 32 or 24 bits, in a
// window or full screen), the chains of modes tried one after another when a
// mode is asked for, and keeping the loaded pictures drawable after a change
// of colour depth.
#ifndef ORBITPUB_UI_GRAPHICSMODES_H
#define ORBITPUB_UI_GRAPHICSMODES_H

// One attempt of a chain.
struct GraphicsMode {
    int depth;            // 32 or 24 bits per pixel
    int card;             // GFX_AUTODETECT_WINDOWED or GFX_AUTODETECT_FULLSCREEN
    const char* message;  // what differs from the mode asked for; null on the first attempt
};

// The four modes the graphics settings offer, in their menu's order.
enum ModeEntry { MODE_32_WINDOWED, MODE_24_WINDOWED, MODE_32_FULLSCREEN, MODE_24_FULLSCREEN,
                 MODE_ENTRIES };

const int CHAIN_LENGTH = 4;

// For each entry the mode asked for and its three fallbacks: the same kind at
// the other depth, the other kind at the same depth, then both swapped. The
// chain of MODE_32_WINDOWED is also the one start-up goes through.
extern const GraphicsMode modeChains[MODE_ENTRIES][CHAIN_LENGTH];

// Sets the depth and requests the mode of each attempt in turn, stopping at
// the first one the library grants. Returns its index, or -1 when all four
// failed: then no screen is left at all.
int SetModeFromChain(const GraphicsMode* chain);

// Converts every picture of both data files that is not in the screen's
// colour depth into it (the library blits between depths, but draws a sprite
// of another depth in wrong colours and without its mask). Call after a
// change of mode; nothing may keep a pointer to a data-file picture across
// it. A picture that cannot be converted for lack of memory stays as it was.
void MatchPicturesToScreen();

#endif

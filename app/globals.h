// The game's shared globals and the catalogue of the two data files.
//
// Every object of data.dat and data2.dat is reached by its index in the file;
// the names below are those indices, in the order the build adds the objects.
// The catalogue tables say what must stand at each index so that start-up (and
// the build) can refuse a data file that does not match.
#ifndef ORBITPUB_APP_GLOBALS_H
#define ORBITPUB_APP_GLOBALS_H

#include <allegro.h>

// The settings record. The volumes are read at start-up and written back at
// shut-down; the two flags live for the whole run (see where each is reset).
struct GlobalVars {
    int soundVolume;             // 0..255, key "sound"; changed only by the sound settings
    int musicVolume;             // 0..255, key "midi"; 0 means no music
    volatile char escaping;      // close button or a second press in flight; cleared at each flight
    volatile char quitting;      // escape key seen during a game; cleared when a level engine is made
};

extern GlobalVars gv;
extern DATAFILE* thedata;   // data.dat, loaded at start-up, unloaded at shut-down
extern DATAFILE* thedata1;  // data2.dat, same lifetime
extern FONT* oldfont;       // the library's own font, used by every one-key menu
extern FONT* newfont;       // the game font (data.dat object 44), the current font

// data.dat, by index.
enum DataIndex {
    DAT_FIELD_BACKGROUND = 0,   // bitmap 240 x 400
    DAT_TITLE_OVERLAY_LOW = 1,  // bitmap, drawn at (0, 202) on the title
    DAT_UNUSED_2 = 2,           // placeholder
    DAT_ITEM_SHEET = 3,         // bitmap, 3 x 3 cells of 30 x 30
    DAT_SAMPLE_MISFIRE = 4,     // sample: the shot going off by itself
    DAT_TAMM_MISFIRE = 5,       // bitmap
    DAT_TAMM_FIRST = 6,         // bitmaps 6..11: sober, stage 1, stage 2-3; each sway >= 0 then < 0
    DAT_BONUS_CAPTION = 12,     // bitmap
    DAT_GURK_FIRST = 13,        // bitmaps 13..18: sober, stage 1, stage 2-3; each normal then loading
    DAT_SAMPLE_BONUS = 19,      // sample: bonus jingle
    DAT_DIGIT_STRIP = 20,       // bitmap: glyphs 0..9 in ten equal cells
    DAT_BURST_FIRST = 21,       // bitmaps 21..27: the burst animation
    DAT_MAIN_PALETTE = 28,      // palette
    DAT_SAMPLE_SHOT = 29,       // sample
    DAT_TITLE_OVERLAY_LEFT = 30,   // bitmap at (119, 234)
    DAT_TITLE_OVERLAY_RIGHT = 31,  // bitmap at (412, 236)
    DAT_SONG_PITCH1_MELODY = 32,   // MIDI: menu music, karaoke pitch 1 with melody
    DAT_SONG_PITCH1_BACKING = 33,  // MIDI: pitch 1 without melody
    DAT_SONG_PITCH2_MELODY = 34,   // MIDI: pitch 2 with melody
    DAT_SONG_PITCH2_BACKING = 35,  // MIDI: pitch 2 without melody
    DAT_SCORE_CAPTION = 36,     // bitmap
    DAT_SAMPLE_BURST = 37,      // sample
    DAT_UNUSED_38 = 38,         // placeholder
    DAT_CREDITS_PICTURE = 39,   // bitmap
    DAT_SAMPLE_HICCUP = 40,     // sample: Gurk's drunk sound
    DAT_BACKGROUND = 41,        // bitmap 640 x 480: title and menu background
    DAT_TITLE_MUSIC = 42,       // MIDI
    DAT_SAMPLE_REMOVE = 43,     // sample: cluster removed, sound-settings feedback
    DAT_GAME_FONT = 44,         // font
    DAT_TITLE_OVERLAY_TOP = 45, // bitmap at (0, 0)
    DAT_ARROW_WHEEL = 46,       // bitmap
    DATA_COUNT = 47
};

// data2.dat, by index.
enum Data2Index {
    DAT2_LYRICS_TILE = 0,       // bitmap
    DAT2_UNSUNG_PALETTE = 1,    // palette: lyrics still to be sung
    DAT2_POP_FIRST = 2,         // bitmaps 2..4, 40 x 40: the removal animation
    DAT2_SUNG_PALETTE = 5,      // palette: lyrics already sung
    DAT2_MP3_PICTURE = 6,       // bitmap, at least 384 x 280
    DAT2_LYRICS_FONT = 7,       // colour font
    DATA2_COUNT = 8
};

// What must stand at one index: the object type (0 = anything, for the unused
// places) and, for pictures with a fixed size, that size. With atLeast the
// size is a minimum.
struct CatalogueEntry {
    int type;
    int width;
    int height;
    bool atLeast;
};

#define CAT_ANY {0, 0, 0, false}
#define CAT_BITMAP {DAT_BITMAP, 0, 0, false}
#define CAT_SAMPLE {DAT_SAMPLE, 0, 0, false}
#define CAT_MIDI {DAT_MIDI, 0, 0, false}

static const CatalogueEntry dataCatalogue[DATA_COUNT] = {
    {DAT_BITMAP, 240, 400, false},  // 0 field background
    CAT_BITMAP,                     // 1
    CAT_ANY,                        // 2
    {DAT_BITMAP, 90, 90, false},    // 3 item sheet
    CAT_SAMPLE,                     // 4
    CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP,  // 5..11
    CAT_BITMAP,                     // 12
    CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP,  // 13..18
    CAT_SAMPLE,                     // 19
    {DAT_BITMAP, 10, 1, true},      // 20 digit strip: ten cells at least one pixel wide
    CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP, CAT_BITMAP,  // 21..27
    {DAT_PALETTE, 0, 0, false},     // 28
    CAT_SAMPLE,                     // 29
    CAT_BITMAP, CAT_BITMAP,         // 30, 31
    CAT_MIDI, CAT_MIDI, CAT_MIDI, CAT_MIDI,  // 32..35
    CAT_BITMAP,                     // 36
    CAT_SAMPLE,                     // 37
    CAT_ANY,                        // 38
    CAT_BITMAP,                     // 39
    CAT_SAMPLE,                     // 40
    {DAT_BITMAP, 640, 480, false},  // 41
    CAT_MIDI,                       // 42
    CAT_SAMPLE,                     // 43
    {DAT_FONT, 0, 0, false},        // 44
    CAT_BITMAP,                     // 45
    CAT_BITMAP,                     // 46
};

static const CatalogueEntry data2Catalogue[DATA2_COUNT] = {
    CAT_BITMAP,                     // 0 tile
    {DAT_PALETTE, 0, 0, false},     // 1
    {DAT_BITMAP, 40, 40, false}, {DAT_BITMAP, 40, 40, false}, {DAT_BITMAP, 40, 40, false},  // 2..4
    {DAT_PALETTE, 0, 0, false},     // 5
    {DAT_BITMAP, 384, 280, true},   // 6 MP3 picture
    {DAT_FONT, 0, 0, false},        // 7 lyrics font
};

#undef CAT_ANY
#undef CAT_BITMAP
#undef CAT_SAMPLE
#undef CAT_MIDI

// Shorthands for the objects themselves.
#define DATA_BITMAP(i) ((BITMAP*)thedata[(i)].dat)
#define DATA_SAMPLE(i) ((SAMPLE*)thedata[(i)].dat)
#define DATA_MIDI(i) ((MIDI*)thedata[(i)].dat)
#define DATA_PALETTE(i) ((RGB*)thedata[(i)].dat)
#define DATA2_BITMAP(i) ((BITMAP*)thedata1[(i)].dat)
#define DATA2_PALETTE(i) ((RGB*)thedata1[(i)].dat)

#endif

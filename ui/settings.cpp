// The graphics settings and the sound settings, two one-key menus reached
// from the main menu.
#include <allegro.h>

#include <initializer_list>

#include "app/globals.h"
#include "app/poll.h"
#include "session/message.h"
#include "ui/dialogs.h"
#include "ui/graphicsmodes.h"
#include "ui/onekeymenu.h"

namespace {

enum GraphicsEntry { GFX_HELP = MODE_ENTRIES, GFX_CANCEL };

enum SoundEntry { MUSIC_FULL, MUSIC_MEDIUM, MUSIC_OFF, FX_FULL, FX_MEDIUM, FX_OFF, SOUND_RETURN };

const int fullVolume = 255, mediumVolume = 128;

// A settings menu in the game's menu colours, run at (200, 100).
Onekeymenu SettingsMenu(std::initializer_list<const char*> entries)
{
    Onekeymenu menu = Onekeymenu::Standard(oldfont);
    for (const char* entry : entries)
        menu.add(entry);
    menu.fix_widths(10);
    return menu;
}

int RunSettingsMenu(Onekeymenu& menu)
{
    return menu.do_menu(200, 100, 500, KEY_SPACE);
}

// Goes through the chain of one mode entry. False when no mode is left.
bool ChangeMode(const GraphicsMode* chain)
{
    int granted = SetModeFromChain(chain);
    if (granted < 0)
        return false;
    MatchPicturesToScreen();
    if (chain[granted].message)
        Message(chain[granted].message);
    return true;
}

}  // namespace

bool Settings()
{
    Onekeymenu menu = SettingsMenu({"32 bit windowed", "24 bit windowed", "32 bit fullscreen",
                                    "24 bit fullscreen", "Help", "Cancel"});
    WaitKeyUp(KEY_SPACE);
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    int choice;
    while ((choice = RunSettingsMenu(menu)) == GFX_HELP) {
        HelpSettings1();
        clear_keybuf();
        WaitKeyUp(KEY_SPACE);
    }
    if (choice != GFX_CANCEL && !ChangeMode(modeChains[choice])) {
        // No window is left to bring the key's release, so it is not waited for.
        bailout();
        return false;
    }
    WaitKeyUp(KEY_SPACE);
    return true;
}

void SoundSettings()
{
    Onekeymenu menu = SettingsMenu({"Music full", "Music medium", "Music off", "Sound fx full",
                                    "Sound fx medium", "Sound fx off", "Return"});
    for (;;) {
        WaitKeyUp(KEY_SPACE);
        int choice = RunSettingsMenu(menu);
        switch (choice) {
        case MUSIC_FULL: gv.musicVolume = fullVolume; break;
        case MUSIC_MEDIUM: gv.musicVolume = mediumVolume; break;
        case MUSIC_OFF: gv.musicVolume = 0; break;
        case FX_FULL: gv.soundVolume = fullVolume; break;
        case FX_MEDIUM: gv.soundVolume = mediumVolume; break;
        case FX_OFF: gv.soundVolume = 0; break;
        }
        if (choice == SOUND_RETURN)
            break;
        set_volume(gv.soundVolume, gv.musicVolume);
        if (choice == FX_FULL || choice == FX_MEDIUM)
            play_sample(DATA_SAMPLE(DAT_SAMPLE_REMOVE), 255, 128, 1000, 0);
        if ((choice == MUSIC_FULL || choice == MUSIC_MEDIUM) && midi_pos < 0)
            play_midi(DATA_MIDI(DAT_SONG_PITCH1_MELODY), 1);
    }
    WaitKeyUp(KEY_SPACE);
    if (gv.musicVolume == 0)
        stop_midi();
}

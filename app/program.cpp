#include <allegro.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/datafiles.h"
#include "app/globals.h"
#include "app/main.h"
#include "app/poll.h"
#include "app/settings.h"
#include "session/message.h"
#include "session/play.h"
#include "song/songmenu.h"
#include "ui/dialogs.h"
#include "ui/graphicsmodes.h"
#include "ui/onekeymenu.h"

GlobalVars gv = {128, 128, false, false};
DATAFILE* thedata = nullptr;
DATAFILE* thedata1 = nullptr;
FONT* oldfont = nullptr;
FONT* newfont = nullptr;

namespace {

const char windowTitle[] = "Gurk and Tamm at the Orbit Pub";

enum MainEntry { PLAY, HELP, ABOUT, SONGS, GFX_SETTINGS, SOUND_SETTINGS, QUIT };

// The library's X driver crashes in its timer set-up when there is no display
// to talk to, so look for one first.
bool DisplayAvailable()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Display* display = XOpenDisplay(name);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

int Fail(int status, const std::string& why)
{
    std::fprintf(stderr, "orbitpub: %s\n", why.c_str());
    return status;
}

void PlayMusic(int index, bool loop)
{
    play_midi(DATA_MIDI(index), loop);
}

void ShowBackground()
{
    blit(DATA_BITMAP(DAT_BACKGROUND), screen, 0, 0, 0, 0, 640, 480);
}

}  // namespace

bool FindGraphicsMode(bool& windowed)
{
    const GraphicsMode* chain = modeChains[MODE_32_WINDOWED];
    int granted = SetModeFromChain(chain);
    windowed = granted >= 0 && chain[granted].card == GFX_AUTODETECT_WINDOWED;
    return granted >= 0;
}

int StartLibrary()
{
    if (!DisplayAvailable())
        return Fail(EXIT_NO_DISPLAY, "no X display to open the game's window on (is DISPLAY set?)");
    if (allegro_init() != 0)
        return Fail(EXIT_NO_DISPLAY, std::string("the game library cannot start: ") + allegro_error);
    install_timer();
    srand(time(nullptr));
    for (int i = 0; i < 5; i++)
        rand();
    bool windowed = false;
    if (!FindGraphicsMode(windowed)) {
        bailout();
        allegro_exit();
        return Fail(EXIT_NO_GRAPHICS, "no 640 x 480 graphics mode at 32 or 24 bits");
    }
    if (windowed) {
        set_window_title(windowTitle);
        set_close_button_callback(SetEscaping);
    }
    return EXIT_OK;
}

int MainMenu()
{
    Onekeymenu menu = Onekeymenu::Standard(oldfont);
    const char* entries[] = {"Play", "Help", "About", "Song & Music", "GFX Settings",
                             "Sound Settings", "Quit"};
    for (const char* entry : entries)
        menu.add(entry);
    menu.fix_widths(10);

    for (int choice = PLAY; choice != QUIT;) {
        ShowBackground();
        choice = menu.do_menu(255, 150, 500, KEY_SPACE);
        switch (choice) {
        case PLAY:
            if (gv.musicVolume != 0 && midi_pos < 0)
                PlayMusic(DAT_SONG_PITCH1_MELODY, true);
            if (Play() == QUIT)
                choice = QUIT;
            WaitKeyUp(KEY_SPACE);
            break;
        case HELP:
            ShowBackground();
            Help();
            break;
        case ABOUT:
            ShowBackground();
            About();
            break;
        case SONGS:
            ShowBackground();
            RunKaraoke();
            break;
        case GFX_SETTINGS:
            ShowBackground();
            if (!Settings())
                return EXIT_NO_GRAPHICS;
            break;
        case SOUND_SETTINGS:
            ShowBackground();
            SoundSettings();
            break;
        }
    }
    return EXIT_OK;
}

void ShutDown()
{
    UnloadGameData();
    WriteVolumes();
    rest(1000);
    allegro_exit();
}

int RunProgram()
{
    // A write to a connection that went away (the display, a sound server)
    // must end in an error the library handles, not kill the game outright:
    // the library's threads can still be talking to the display while an
    // early failure shuts it down.
    signal(SIGPIPE, SIG_IGN);
    int status = StartLibrary();
    if (status != EXIT_OK)
        return status;
    set_uformat(U_ASCII);
    install_keyboard();
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr);
    std::string why;
    if (!LoadGameData(why)) {
        allegro_exit();
        return Fail(EXIT_BAD_DATA, why);
    }
    OpenSettings();
    ReadVolumes();
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    newfont = static_cast<FONT*>(thedata[DAT_GAME_FONT].dat);
    oldfont = font;
    font = newfont;
    if (gv.musicVolume > 0)
        PlayMusic(DAT_TITLE_MUSIC, false);
    Startup();
    if (gv.musicVolume > 0)
        PlayMusic(DAT_SONG_PITCH1_MELODY, true);
    status = MainMenu();
    ShutDown();
    if (status != EXIT_OK)
        return Fail(status, "the change of graphics mode left no 640 x 480 mode at 32 or 24 bits");
    return EXIT_OK;
}

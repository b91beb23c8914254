// The screens that are not the game or the songs: the title screen, the help
// and credits pages, the graphics settings with their help page, the sound
// settings, and the message for a machine without a usable graphics mode.
#ifndef ORBITPUB_UI_DIALOGS_H
#define ORBITPUB_UI_DIALOGS_H

#include <allegro.h>

// The layout every information page of one text shares: a grey box, a pale
// green text box holding the text and the "ok" button (object 2), whose
// shortcut is the space character, plus an invisible object that lets the
// page rest while idle. Run it with popup_dialog(page.objects, -1).
struct InfoPage {
    DIALOG objects[5];
    explicit InfoPage(const char* text);
};

// The title picture, the two main help pages, then the title with its
// overlays until the space key is pressed and released; stops the title tune.
void Startup();

// The two main help pages, each closed with its "ok" button (the space key).
void Help();

// The credits page.
void About();

// The graphics help page; returns the dialog manager's result.
int HelpSettings1();

// Says that no graphics mode could be set (for use without a screen).
void bailout();

// The graphics settings: the four modes with their fallbacks, help, cancel.
// Returns false when every attempt of the chosen mode's chain failed: no
// screen is left then, the player has seen bailout's message, and the program
// must end.
bool Settings();

// The sound settings: music and effects full, medium or off.
void SoundSettings();

#endif

// The program as a whole: start-up, the main menu and shut-down.
#ifndef ORBITPUB_APP_MAIN_H
#define ORBITPUB_APP_MAIN_H

// Exit statuses of the program.
enum ExitStatus {
    EXIT_OK = 0,
    EXIT_NO_DISPLAY = 1,    // no X display to open a window on
    EXIT_NO_GRAPHICS = 2,   // no graphics mode could be set
    EXIT_BAD_DATA = 3,      // a data file is missing, unreadable or does not fit
};

// Runs the whole program and returns its exit status.
int RunProgram();

// Brings the library up as far as a screen: the library, its timers, the
// random generator and a 640 x 480 mode (32 then 24 bits in a window, then
// full screen). Returns EXIT_OK, or the failure after one line on stderr
// (the library is shut down again then).
int StartLibrary();

// Tries the four start-up modes in order (the chain of "32 bit windowed");
// true once one is set, with windowed telling whether it is a window.
bool FindGraphicsMode(bool& windowed);

// The seven-entry main menu, run until "Quit" or a game left with the escape
// key (EXIT_OK), or until a change of graphics mode left no screen
// (EXIT_NO_GRAPHICS).
int MainMenu();

// Unloads the data, writes the volumes, pauses a second and shuts the library
// down (which saves the settings file).
void ShutDown();

#endif

// The player's settings file: the two volumes, kept per user in
// $XDG_CONFIG_HOME/orbitpub/orbitpub.cfg (~/.config/orbitpub/orbitpub.cfg when
// the variable is unset), read and written with the library's configuration
// routines. Beside the program an installed game could not write them.
#ifndef ORBITPUB_APP_SETTINGS_H
#define ORBITPUB_APP_SETTINGS_H

#include <string>

// The file's path for the current environment.
std::string SettingsPath();

// Makes the settings file the library's configuration file, creating its
// folder when missing. Returns false, after one line on stderr, when the file
// cannot be written: the game then plays on with what it could read.
bool OpenSettings();

// Reads gv.soundVolume ("sound") and gv.musicVolume ("midi") from the
// default section; a missing key or a value that is not a whole number gives
// the default, 128.
void ReadVolumes();

// Writes "midi" and then "sound" into the default section; the library saves
// the file when it shuts down.
void WriteVolumes();

#endif

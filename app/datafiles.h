// Loading the two data files and checking them against the catalogue, so a
// wrong or damaged file is refused at start-up instead of crashing later.
#ifndef ORBITPUB_APP_DATAFILES_H
#define ORBITPUB_APP_DATAFILES_H

#include <allegro.h>
#include <string>

#include "app/globals.h"

// Checks every index of a loaded data file: the object's type and, where the
// catalogue fixes one, its size. Returns an empty string when it matches, else
// the reason ("object 3 is a sample, expected a bitmap").
std::string CheckDatafile(const DATAFILE* data, const CatalogueEntry* catalogue, int count);

// Loads name from the working directory and checks it. On failure returns
// null and writes one line for the player into why (naming the file, its
// folder and, for a mismatch, the index).
DATAFILE* LoadCheckedDatafile(const char* name, const CatalogueEntry* catalogue, int count,
                              std::string& why);

// Loads data.dat into thedata and data2.dat into thedata1 from the working
// directory, both or neither. On failure why holds the line for the player.
bool LoadGameData(std::string& why);

// Unloads both data files.
void UnloadGameData();

#endif

// Reads the palette sources of the asset build (assets/palettes/*.pal).
//
// A palette source is a text file, one entry or ramp a line, values 0..255:
//   INDEX R G B                 one entry
//   FIRST-LAST R G B R2 G2 B2   a ramp from the first colour to the second
//   include FILE                the entries of another file (relative path)
//   # comment
// Entries a file does not give keep the library's default palette, and later
// lines win over earlier ones, so a palette can include another and change a
// few entries.
#ifndef ORBITPUB_TOOLS_ASSETS_PALETTE_FILE_H
#define ORBITPUB_TOOLS_ASSETS_PALETTE_FILE_H

#include <allegro.h>

#include <string>

// Fills pal (6-bit library values) from the source at path. On failure
// returns false and says why in why ("file:line: ...").
bool ReadPaletteFile(const std::string& path, RGB* pal, std::string& why);

#endif

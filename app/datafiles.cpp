#include "app/datafiles.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

namespace {

const char* TypeName(int type)
{
    switch (type) {
    case DAT_BITMAP: return "a bitmap";
    case DAT_SAMPLE: return "a sample";
    case DAT_MIDI: return "a MIDI song";
    case DAT_PALETTE: return "a palette";
    case DAT_FONT: return "a font";
    case DAT_END: return "missing";
    default: return "another kind of object";
    }
}

// Walks the object headers of a data file without loading anything: the
// library's loader trusts the sizes it reads and crashes on a truncated or
// damaged file, so a file is only handed to it once every object it lists
// lies whole inside the file.
bool LayoutIsWhole(const char* name)
{
    PACKFILE* f = pack_fopen(name, F_READ_PACKED);
    if (!f)
        return false;
    bool whole = pack_mgetl(f) == DAT_MAGIC;
    long count = whole ? pack_mgetl(f) : 0;
    whole = whole && count > 0 && count < 100000;
    for (long i = 0; whole && i < count; i++) {
        long type = pack_mgetl(f);
        while (type == DAT_PROPERTY && !pack_feof(f)) {
            pack_mgetl(f);  // the property's own type
            long length = pack_mgetl(f);
            whole = length >= 0 && pack_fseek(f, length) == 0;
            type = pack_mgetl(f);
        }
        long stored = pack_mgetl(f);  // negative when compressed
        long size = pack_mgetl(f);
        if (stored < 0)
            stored = -stored;
        // A nested data file's own headers would need the same walk.
        whole = whole && type != DAT_FILE && type != DAT_END && size >= 0 && stored > 0 &&
                pack_fseek(f, stored - 1) == 0 && pack_getc(f) != EOF && !pack_ferror(f);
    }
    pack_fclose(f);
    return whole;
}

std::string CurrentFolder()
{
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? path : ".";
}

}  // namespace

std::string CheckDatafile(const DATAFILE* data, const CatalogueEntry* catalogue, int count)
{
    char why[160];
    for (int i = 0; i < count; i++) {
        const CatalogueEntry& want = catalogue[i];
        int type = data[i].type;
        if (type == DAT_END || (want.type != 0 && type != want.type)) {
            std::snprintf(why, sizeof why, "object %d is %s, expected %s", i, TypeName(type),
                          want.type ? TypeName(want.type) : "an object");
            return why;
        }
        if (type != DAT_BITMAP || want.width == 0)
            continue;
        const BITMAP* b = static_cast<const BITMAP*>(data[i].dat);
        bool fits = want.atLeast ? b->w >= want.width && b->h >= want.height
                                 : b->w == want.width && b->h == want.height;
        if (!fits) {
            std::snprintf(why, sizeof why, "object %d is %d x %d pixels, expected %s%d x %d", i,
                          b->w, b->h, want.atLeast ? "at least " : "", want.width, want.height);
            return why;
        }
    }
    return "";
}

DATAFILE* LoadCheckedDatafile(const char* name, const CatalogueEntry* catalogue, int count,
                              std::string& why)
{
    if (!exists(name)) {
        why = std::string("cannot find ") + name + " in " + CurrentFolder();
        return nullptr;
    }
    DATAFILE* data = LayoutIsWhole(name) ? load_datafile(name) : nullptr;
    if (!data) {
        why = std::string(name) + " in " + CurrentFolder() + " is damaged or unreadable";
        return nullptr;
    }
    std::string mismatch = CheckDatafile(data, catalogue, count);
    if (!mismatch.empty()) {
        unload_datafile(data);
        why = std::string(name) + " in " + CurrentFolder() + " does not fit the game: " + mismatch;
        return nullptr;
    }
    return data;
}

bool LoadGameData(std::string& why)
{
    thedata = LoadCheckedDatafile("data.dat", dataCatalogue, DATA_COUNT, why);
    if (thedata)
        thedata1 = LoadCheckedDatafile("data2.dat", data2Catalogue, DATA2_COUNT, why);
    if (thedata1)
        return true;
    UnloadGameData();
    return false;
}

void UnloadGameData()
{
    if (thedata)
        unload_datafile(thedata);
    if (thedata1)
        unload_datafile(thedata1);
    thedata = thedata1 = nullptr;
}

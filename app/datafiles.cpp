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
    DATAFILE* data = load_datafile(name);
    if (!data) {
        why = std::string("cannot load ") + name + " from " + CurrentFolder();
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

// Build-time check: loads the freshly packed data files and refuses them when
// an object does not fit the game's catalogue, so a wrong file never ships.
// usage: checkdata data.dat data2.dat
#include <cerrno>
#include <cstdio>
#include <string>

#include "app/datafiles.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: checkdata data.dat data2.dat\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
    struct {
        const char* path;
        const CatalogueEntry* catalogue;
        int count;
    } files[] = {{argv[1], dataCatalogue, DATA_COUNT}, {argv[2], data2Catalogue, DATA2_COUNT}};
    for (auto& f : files) {
        std::string why;
        DATAFILE* data = LoadCheckedDatafile(f.path, f.catalogue, f.count, why);
        if (!data) {
            std::fprintf(stderr, "checkdata: %s\n", why.c_str());
            return 1;
        }
        unload_datafile(data);
    }
    return 0;
}

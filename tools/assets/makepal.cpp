// Build-time tool: turns a palette source into an 8-bit PCX whose palette the
// data-file grabber takes (dat -t PAL). The picture itself is a 16 x 16 chart
// of the 256 entries, pixel (i % 16, i / 16) = index i, handy for checking.
// usage: makepal SOURCE.pal OUT.pcx
#include <cerrno>
#include <cstdio>
#include <string>

#include "palette_file.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makepal SOURCE.pal OUT.pcx\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    PALETTE pal;
    std::string why;
    if (!ReadPaletteFile(argv[1], pal, why)) {
        std::fprintf(stderr, "makepal: %s\n", why.c_str());
        return 1;
    }
    BITMAP* chart = create_bitmap_ex(8, 16, 16);
    for (int i = 0; i < PAL_SIZE; i++)
        putpixel(chart, i % 16, i / 16, i);
    int failed = save_pcx(argv[2], chart, pal);
    destroy_bitmap(chart);
    if (failed) {
        std::fprintf(stderr, "makepal: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

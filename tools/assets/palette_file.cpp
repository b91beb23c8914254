#include "palette_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

bool ReadInto(const std::string& path, RGB* pal, std::string& why, int depth)
{
    if (depth > 8) {
        why = path + ": includes nest too deep";
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        why = path + ": cannot be read";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        std::string where = path + ":" + std::to_string(number) + ": ";
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        if (first == "include") {
            std::string name;
            if (!(words >> name)) {
                why = where + "include needs a file name";
                return false;
            }
            std::string dir = path.substr(0, path.find_last_of('/') + 1);
            if (!ReadInto(name[0] == '/' ? name : dir + name, pal, why, depth + 1))
                return false;
            continue;
        }
        int lo = -1, hi = -1;
        char dash = 0;
        std::istringstream range(first);
        range >> lo;
        if (range >> dash) {
            if (dash != '-' || !(range >> hi)) {
                why = where + "bad index or range '" + first + "'";
                return false;
            }
        } else {
            hi = lo;
        }
        int c[6];
        int wanted = lo == hi ? 3 : 6;
        for (int i = 0; i < wanted; i++) {
            if (!(words >> c[i]) || c[i] < 0 || c[i] > 255) {
                why = where + "expected " + std::to_string(wanted) + " values 0..255";
                return false;
            }
        }
        std::string extra;
        if (lo < 0 || hi > 255 || lo > hi || (words >> extra)) {
            why = where + "bad entry";
            return false;
        }
        for (int i = lo; i <= hi; i++) {
            double t = hi == lo ? 0.0 : double(i - lo) / (hi - lo);
            int rgb[3];
            for (int k = 0; k < 3; k++) {
                double v = wanted == 3 ? c[k] : c[k] + t * (c[k + 3] - c[k]);
                rgb[k] = int(v + 0.5);
            }
            pal[i].r = rgb[0] >> 2;
            pal[i].g = rgb[1] >> 2;
            pal[i].b = rgb[2] >> 2;
        }
    }
    return true;
}

}  // namespace

bool ReadPaletteFile(const std::string& path, RGB* pal, std::string& why)
{
    for (int i = 0; i < PAL_SIZE; i++)
        pal[i] = default_palette[i];
    return ReadInto(path, pal, why, 0);
}

// Build-time tool: renders the printable ASCII characters 32..126 of a font
// file with FreeType into the glyph grid that the data-file grabber reads as a
// colour font (dat -t FONT): an 8-bit picture filled with index 255 in which
// every glyph is a box framed by one pixel of 255, index 0 transparent, read
// left to right and top to bottom.
//
// The glyph pixels use three palette indices from FIRST on, so the game draws
// them through the palette in force:
//   ramp      FIRST ink, FIRST+1 and FIRST+2 two lighter edge steps: smooth
//             dark text for light panels;
//   outlineN  FIRST fill, FIRST+1 the fill's soft edge, FIRST+2 a solid
//             outline N pixels wide: text that reads over any background,
//             with no blend towards a fixed background colour at its rim.
//
// usage: makefont FACE PIXELS STYLE FIRST PALETTE OUT.pcx
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "palette_file.h"

namespace {

const int FIRST_CHAR = 32;
const int LAST_CHAR = 126;
const int SHEET_WIDTH = 512;  // glyphs wrap to a new row past this width

// One rendered glyph: 8-bit coverage and where it sits against the pen.
struct Glyph {
    int left = 0, top = 0;        // bitmap offset from the pen and baseline
    int width = 0, rows = 0;      // coverage size
    int advance = 0;              // pen advance in pixels
    std::vector<unsigned char> coverage;
};

// The cell of one glyph in the grid, index values already chosen.
struct Cell {
    int width = 0;
    std::vector<unsigned char> pixels;  // width x height, row major
};

int Fail(const std::string& why)
{
    std::fprintf(stderr, "makefont: %s\n", why.c_str());
    return 1;
}

// Chooses the index of one pixel from its own coverage and, for an outline,
// whether an inked pixel lies within the outline's reach.
Cell MakeCell(const Glyph& g, int height, int baseline, int outline, int first)
{
    // The cell spans the pen advance, widened only where ink and outline
    // reach past it, so an outline eats into the side bearings first.
    int lo = std::min(0, g.width ? g.left - outline : 0);
    int hi = std::max(g.advance, g.width ? g.left + g.width + outline : 0);
    Cell cell;
    cell.width = hi - lo;
    std::vector<int> cov(cell.width * height, 0);
    for (int y = 0; y < g.rows; y++)
        for (int x = 0; x < g.width; x++) {
            int cx = g.left - lo + x, cy = baseline - g.top + y;
            if (cx >= 0 && cx < cell.width && cy >= 0 && cy < height)
                cov[cy * cell.width + cx] = g.coverage[y * g.width + x];
        }
    cell.pixels.assign(cell.width * height, 0);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < cell.width; x++) {
            int c = cov[y * cell.width + x];
            unsigned char& p = cell.pixels[y * cell.width + x];
            if (outline == 0) {
                p = c >= 176 ? first : c >= 112 ? first + 1 : c >= 48 ? first + 2 : 0;
                continue;
            }
            if (c >= 160) {
                p = first;
            } else if (c >= 64) {
                p = first + 1;
            } else {
                bool near = false;
                for (int dy = -outline; dy <= outline && !near; dy++)
                    for (int dx = -outline; dx <= outline && !near; dx++) {
                        int nx = x + dx, ny = y + dy;
                        if (dx * dx + dy * dy > outline * outline + 1 || nx < 0 || ny < 0 ||
                            nx >= cell.width || ny >= height)
                            continue;
                        near = cov[ny * cell.width + nx] >= 64;
                    }
                p = near ? first + 2 : 0;
            }
        }
    return cell;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7)
        return Fail("usage: makefont FACE PIXELS STYLE FIRST PALETTE OUT.pcx");
    std::string face_path = argv[1], style = argv[3];
    int pixels = std::atoi(argv[2]), first = std::atoi(argv[4]);
    int outline = 0;
    if (style.rfind("outline", 0) == 0)
        outline = std::atoi(style.c_str() + 7);
    else if (style != "ramp")
        return Fail("unknown style " + style + " (ramp or outlineN)");
    if (pixels < 6 || pixels > 96 || first < 1 || first + 2 > 254 || outline < 0 || outline > 4 ||
        (style != "ramp" && outline == 0))
        return Fail("size, first index or outline out of range");

    FT_Library ft;
    FT_Face face;
    if (FT_Init_FreeType(&ft) || FT_New_Face(ft, face_path.c_str(), 0, &face))
        return Fail("cannot open " + face_path);
    FT_Set_Pixel_Sizes(face, 0, pixels);

    std::vector<Glyph> glyphs;
    int top = 0, bottom = 0;  // extent of all glyphs around the baseline
    for (int ch = FIRST_CHAR; ch <= LAST_CHAR; ch++) {
        if (FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL))
            return Fail("cannot render character " + std::to_string(ch));
        FT_GlyphSlot slot = face->glyph;
        Glyph g;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = slot->bitmap.width;
        g.rows = slot->bitmap.rows;
        g.advance = int((slot->advance.x + 32) >> 6);
        g.coverage.resize(g.width * g.rows);
        for (int y = 0; y < g.rows; y++)
            for (int x = 0; x < g.width; x++)
                g.coverage[y * g.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
        if (g.rows > 0) {
            top = std::max(top, g.top);
            bottom = std::max(bottom, g.rows - g.top);
        }
        glyphs.push_back(g);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(ft);

    int height = top + bottom + 2 * outline;
    int baseline = outline + top;
    std::vector<Cell> cells;
    for (const Glyph& g : glyphs)
        cells.push_back(MakeCell(g, height, baseline, outline, first));

    // Lay the cells out in rows; each cell gets a one-pixel frame of 255.
    std::vector<std::pair<int, int>> at;
    int x = 1, y = 1, sheet_w = 0;
    for (const Cell& c : cells) {
        if (x + c.width + 1 > SHEET_WIDTH && x > 1) {
            x = 1;
            y += height + 1;
        }
        at.push_back({x, y});
        x += c.width + 1;
        sheet_w = std::max(sheet_w, x);
    }
    int sheet_h = y + height + 1;

    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return Fail("cannot start the library");
    PALETTE pal;
    std::string why;
    if (!ReadPaletteFile(argv[5], pal, why))
        return Fail(why);
    BITMAP* sheet = create_bitmap_ex(8, sheet_w, sheet_h);
    clear_to_color(sheet, 255);
    for (size_t i = 0; i < cells.size(); i++)
        for (int cy = 0; cy < height; cy++)
            for (int cx = 0; cx < cells[i].width; cx++)
                putpixel(sheet, at[i].first + cx, at[i].second + cy,
                         cells[i].pixels[cy * cells[i].width + cx]);
    int failed = save_pcx(argv[6], sheet, pal);
    destroy_bitmap(sheet);
    if (failed)
        return Fail(std::string("cannot write ") + argv[6]);
    return 0;
}

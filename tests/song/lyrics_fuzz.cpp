// Fuzzes the lyrics reader: any bytes as a lyrics file must give a model
// that keeps its own rules (its line count, its span), and whose page can be
// measured and composed at any song position, without a crash, a leak or
// undefined behaviour.
#include <allegro.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "song/karaoke.h"

namespace {

std::string lyricsPath;
FONT* pageFont = nullptr;
PALETTE sung, unsung;
MIDI song;
BITMAP* tile = nullptr;

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "lyrics_fuzz: %s\n", what);
        std::abort();
    }
}

// A colour font of solid 6 x 10 glyphs, as the page's own font is grabbed.
FONT* MakeFont()
{
    BITMAP* sheet = create_bitmap_ex(8, 95 * 7 + 1, 12);
    clear_to_color(sheet, 255);
    for (int i = 0; i < 95; i++) {
        rectfill(sheet, 1 + i * 7, 1, 6 + i * 7, 10, 1);
        hline(sheet, 1 + i * 7, 10, 6 + i * 7, 2);
    }
    FONT* f = grab_font_from_bitmap(sheet);
    destroy_bitmap(sheet);
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    set_uformat(U_ASCII);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(32);
    pageFont = MakeFont();
    for (int i = 0; i < PAL_SIZE; i++) {
        sung[i] = RGB{63, 40, 0, 0};
        unsung[i] = RGB{40, 50, 63, 0};
    }
    tile = create_bitmap(37, 23);
    clear_to_color(tile, makecol(10, 20, 30));
    const char* dir = std::getenv("TMPDIR");
    lyricsPath = std::string(dir ? dir : "/tmp") + "/lyrics_fuzz." + std::to_string(getpid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(lyricsPath.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    Karaoke page(lyricsPath.c_str(), pageFont, sung, unsung, &song);
    Check(page.ok, "a readable file gave a model that is not ok");
    int lineEnds = 0;
    for (const Snippet& s : page.snippets) {
        if (s.text == "\n")
            lineEnds++;
        else
            Check(s.text.empty() || s.text[0] != '\n', "a text snippet begins with a line feed");
    }
    Check(lineEnds == page.lines, "lines is not the number of line ends");
    long long span = (long long)page.lastTime - page.startTime;
    Check(span > INT_MAX || span < INT_MIN || page.timeSpan == span, "timeSpan is not the span");

    int width = page.Width();
    Check(width >= 0, "negative width");
    page.CreateWindow((width < 600 ? width : 600) + 40, 120, size % 2 ? tile : nullptr);
    const long positions[] = {-1, 0, page.startTime, page.startTime + 1L, page.lastTime,
                              page.lastTime + 1000L, LONG_MAX / 2, INT_MAX};
    for (long pos : positions) {
        midi_pos = pos;
        page.ComposeFrame();
    }
    midi_pos = -1;
    return 0;
}

#include "song/karaoke.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/poll.h"

namespace {

// One read of the lyrics file takes at most this many characters; a longer
// line is read on in pieces.
const int lineBufferSize = 256;

// The largest work area the page asks the library for (a lyrics line tens of
// thousands of pixels wide is not a page but a broken file).
const long long maxWorkareaBytes = 64LL << 20;

// Keeps values from damaged files (huge stamps, absurd line counts) inside
// int, so no sum or product of them overflows.
int ClampToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

// A stamp's number read the way atoi reads it: leading blanks skipped, an
// optional sign, the digits up to the first other character, 0 without
// digits; out-of-range numbers are held at the ends of int.
int StampValue(const std::string& stamp)
{
    return ClampToInt(std::strtoll(stamp.c_str(), nullptr, 10));
}

bool IsLineEnd(const Snippet& s)
{
    return s.text == "\n";
}

}  // namespace

Snippet::Snippet(std::string text, int time) : text(std::move(text)), time(time) {}

Karaoke::Karaoke(const char* fileName, FONT* font, RGB* firstPalette, RGB* secondPalette,
                 MIDI* song)
    : workarea(nullptr), tile(nullptr), startTime(0), lastTime(0), scrollRate(0), timeSpan(0),
      scrollHeight(0), lines(0), lyricFont(font), sungPalette(firstPalette),
      unsungPalette(secondPalette), song(song),
      ok(font && firstPalette && secondPalette && song)
{
    if (ok)
        Read(fileName);
}

Karaoke::~Karaoke()
{
    if (workarea)
        destroy_bitmap(workarea);
}

void Karaoke::Add(std::string text, int time)
{
    snippets.emplace_back(std::move(text), time);
}

// Gathers the whole file as one text, every line closed by a line feed (the
// read that meets the end of the file closes what it got too), carriage
// returns before a line feed dropped. A file that cannot be opened or read
// leaves the model not ok.
void Karaoke::Read(const char* fileName)
{
    FILE* file = std::fopen(fileName, "r");
    if (!file) {
        ok = false;
        return;
    }
    std::string text;
    char line[lineBufferSize];
    for (;;) {
        int n = 0;
        int c = 0;
        while (n < lineBufferSize && (c = std::getc(file)) != EOF && c != '\n')
            line[n++] = char(c);
        text.append(line, n);
        if (c != '\n' && c != EOF)
            continue;  // the buffer is full: the line goes on
        if (c == '\n' && !text.empty() && text.back() == '\r')
            text.pop_back();
        text += '\n';
        if (c == EOF)
            break;
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        ok = false;
        return;
    }
    Split(text);
}

// Cuts the text into "piece[stamp]" snippets and line ends. A line feed makes
// a line end only where the scan stands on it; a "[" without a "]" after it
// ends the scan, and so does the end of the text.
void Karaoke::Split(const std::string& text)
{
    bool firstLine = true;
    std::string::size_type p = 0;
    for (;;) {
        if (p < text.size() && text[p] == '\n') {
            Add("\n", lastTime);
            lines++;
            if (firstLine) {
                startTime = lastTime;
                firstLine = false;
            }
            p++;
            continue;
        }
        std::string::size_type open = text.find('[', p);
        if (open == std::string::npos)
            break;
        std::string piece = text.substr(p, open - p);
        p = open + 1;
        std::string::size_type close = text.find(']', p);
        if (close == std::string::npos)
            break;
        lastTime = StampValue(text.substr(p, close - p));
        Add(std::move(piece), lastTime);
        p = close + 1;
    }
    timeSpan = ClampToInt((long long)lastTime - startTime);
}

int Karaoke::Width()
{
    int widest = 0;
    std::string line;
    for (const Snippet& s : snippets) {
        if (IsLineEnd(s)) {
            int width = text_length(lyricFont, line.c_str());
            if (width > widest)
                widest = width;
            line.clear();
        } else {
            line += s.text;
        }
    }
    return widest;
}

void Karaoke::CreateWindow(int width, int height, BITMAP* tileBitmap)
{
    if (width > 0 && height > 0 && (long long)width * height * 4 <= maxWorkareaBytes)
        workarea = create_bitmap(width, height);
    if (!workarea)
        alert("workarea failed", nullptr, nullptr, "OK", nullptr, 0, 0);
    tile = tileBitmap;
    scrollHeight = ClampToInt((long long)(lines - 1) * text_height(lyricFont));
    // Without a span (one stamped line) the page has nowhere to scroll to.
    scrollRate = timeSpan == 0 ? 0.0f : float(double(scrollHeight) / double(timeSpan));
}

void Karaoke::FillBackground()
{
    if (!tile || tile->w <= 0 || tile->h <= 0) {
        clear_to_color(workarea, makecol(180, 100, 0));
        return;
    }
    for (int y = 0; y < workarea->h; y += tile->h)
        for (int x = 0; x < workarea->w; x += tile->w)
            blit(tile, workarea, 0, 0, x, y, tile->w, tile->h);
}

int Karaoke::PageTop()
{
    int middle = workarea->h / 2;
    if (!(startTime < midi_pos))
        return middle;
    double top = middle - double(midi_pos - startTime) * double(scrollRate);
    // Far outside the page any position draws the same; keep it an int.
    const double limit = 1 << 30;
    if (top > limit)
        top = limit;
    if (top < -limit)
        top = -limit;
    return int(top);  // cut towards zero
}

void Karaoke::ComposeFrame()
{
    FillBackground();
    int fontHeight = text_height(lyricFont);
    int x = 20;
    int y = PageTop();
    set_palette(sungPalette);
    bool switchArmed = true;
    for (std::size_t i = 0; i < snippets.size() && y < workarea->h; i++) {
        const Snippet& s = snippets[i];
        if (switchArmed && s.time > midi_pos) {
            set_palette(unsungPalette);
            switchArmed = false;
        }
        if (IsLineEnd(s)) {
            x = 20;
            y += fontHeight;
        } else if (y > -fontHeight) {
            textout_ex(workarea, lyricFont, s.text.c_str(), x, y, -1, -1);
            x += text_length(lyricFont, s.text.c_str());
        }
    }
}

void Karaoke::Play(int x, int y)
{
    if (!workarea)
        return;
    rest(300);
    if (play_midi(song, FALSE) != 0)
        alert("midi failed", nullptr, nullptr, "OK", nullptr, 0, 0);
    text_mode(-1);
    PollUntil([&] {
        if (midi_pos < 0 || key[KEY_SPACE])
            return true;
        ComposeFrame();
        blit(workarea, screen, 0, 0, x, y, workarea->w, workarea->h);
        return false;
    });
    stop_midi();
}

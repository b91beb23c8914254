// The karaoke's lyrics: the model read from a lyrics file (pieces of text,
// each with the song position in beats at which it is sung, and line ends)
// and the page that shows it while a MIDI song plays, standing still until
// the first line is sung, then scrolling upwards at an even speed, with what
// has been sung drawn through one palette and what is to come through another.
#ifndef ORBITPUB_SONG_KARAOKE_H
#define ORBITPUB_SONG_KARAOKE_H

#include <allegro.h>

#include <string>
#include <vector>

// One piece of lyrics; a text of one line feed is a line end.
struct Snippet {
    std::string text;  // exactly as in the file, or "\n" for a line end
    int time;          // song position (beats) at which it is sung

    Snippet(std::string text, int time);
};

// The lyrics page of one karaoke song. Everything lives as long as the song:
// the song menu makes one for each song and destroys it when the song ends.
class Karaoke {
public:
    BITMAP* workarea;       // owned; each frame is composed here (CreateWindow)
    BITMAP* tile;           // not owned, may be null; the page's background (CreateWindow)
    int startTime;          // stamp at the first line end: scrolling starts after it
    int lastTime;           // the last stamp read; 0 before the first one
    float scrollRate;       // pixels per beat (CreateWindow); 0 when timeSpan is 0
    int timeSpan;           // lastTime - startTime once the file is read
    int scrollHeight;       // pixels scrolled from startTime to lastTime (CreateWindow)
    int lines;              // number of line-end snippets
    FONT* lyricFont;        // not owned; a colour font drawn through the palettes
    RGB* sungPalette;       // not owned; in force while sung pieces are drawn
    RGB* unsungPalette;     // not owned; in force from the first piece still to come
    MIDI* song;             // not owned
    std::vector<Snippet> snippets;  // every piece in file order, line ends included
    bool ok;                // resources given and the file read; else no snippets

    // Reads fileName (a text file of "text[beat]" groups) into snippets. The
    // first palette becomes sungPalette, the second unsungPalette.
    Karaoke(const char* fileName, FONT* font, RGB* firstPalette, RGB* secondPalette, MIDI* song);
    ~Karaoke();
    Karaoke(const Karaoke&) = delete;
    Karaoke& operator=(const Karaoke&) = delete;

    void Add(std::string text, int time);

    // The width in pixels of the widest line (text after the last line end
    // is not a line).
    int Width();

    // Makes the work area and sets the scroll. A work area that cannot be
    // had leaves workarea null after the alert "workarea failed".
    void CreateWindow(int width, int height, BITMAP* tile);

    // Covers the work area with the tile, or plain orange without one.
    void FillBackground();

    // Composes the frame for the current song position in the work area.
    void ComposeFrame();

    // Plays the song and shows the page with the work area's top-left corner
    // at (x, y) until the song ends or the space key is down; then stops the
    // song. Returns at once without a work area.
    void Play(int x, int y);

private:
    void Read(const char* fileName);
    void Split(const std::string& text);
    // The pen's starting height for the current song position.
    int PageTop();
};

#endif

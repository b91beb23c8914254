// The one-key menu: a column of entries in a bevelled frame, drawn straight
// on the screen, whose highlight walks down by itself and wraps; a press of
// the key picks the highlighted entry. Every choice in the game is made with
// it, so it can be played with a single switch.
#ifndef ORBITPUB_UI_ONEKEYMENU_H
#define ORBITPUB_UI_ONEKEYMENU_H

#include <allegro.h>

#include <string>
#include <vector>

class Onekeymenu {
public:
    // All state below is set at construction and by add/fix_widths; a run
    // keeps nothing in the object (each starts with the first entry lit).
    std::vector<std::string> items;  // entry texts, in the order added
    int count;                       // number of entries, always items.size()
    int width;                       // entry box width
    int height;                      // entry box height (one row)
    int top;                         // frame top edge to first row
    int gap;                         // between two rows
    int bottom;                      // last row to frame bottom edge
    int side;                        // frame side edges to the entry boxes
    int frameColor;
    int selBoxColor;
    int boxColor;
    int selTextColor;                // also the colour of do_menu2's title
    int textColor;
    FONT* menuFont;                  // not owned

    Onekeymenu(FONT* font, int selBoxColor, int boxColor, int selTextColor, int textColor);
    // A menu in the game's colours: grey boxes with brown text, the lit one
    // red with black text. Needs the graphics mode (for makecol).
    static Onekeymenu Standard(FONT* font);

    void add(const char* text);
    // width = widest entry text + 2 x margin.
    void fix_widths(int margin);
    // Runs the menu with its frame at (x, y) until the key is seen down and
    // returns the entry then highlighted. Neither waits for the key's release.
    int do_menu(int x, int y, int interval, int key);
    // As do_menu with a title row; waits for the key to be up before drawing
    // and after the pick.
    int do_menu2(const char* title, int x, int y, int interval, int key);

    // A filled rectangle with one-pixel bevelled edges, on the screen.
    void box(int x1, int y1, int x2, int y2, int color);
    int hilite(int color);  // half way to white
    int lolite(int color);  // half way to black

private:
    int FrameWidth() const;
    int FrameHeight(int rows) const;
    int RowTop(int y, int row) const;
    void DrawFrame(int x, int y, int rows);
    // Draws every entry, entry j in row j + firstRow, entry lit lit.
    void DrawEntries(int x, int y, int firstRow, int lit);
    // The walk shared by both runs: returns the entry lit when the key went down.
    int Walk(int x, int y, int firstRow, int interval, int key);
};

#endif

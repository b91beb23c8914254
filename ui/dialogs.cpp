#include "ui/dialogs.h"

#include <allegro.h>

#include "app/globals.h"
#include "app/poll.h"

namespace {

const char helpPage1[] =
    "The topic of this game is about the dangers of playing around with alcoholic beverages. "
    "Gurk and Tamm are about to travel to space and they know that a real astronaut doesn't "
    "touch the booze. So they want to get rid of all beer they have. You have to help them. "
    "Shoot away the pints and bottles with the space bar while Gurk helps you by aiming the "
    "arrow. When three or more of same kind are connected, they are sucked away and will be "
    "lost in space forever. Unfortunately there will be some messing, which might affect Gurk "
    "and Tamm in their noble task.\n\n"
    "This is the main help page. Submenus might have their own help pages, that tell about the "
    "functions in the menus.\n\n"
    "Just remember: Orbit Pub Rules!";

const char helpPage2[] =
    "Scoring and stuff:\n\n"
    "The more items you blow away in one turn, the more you score per item. OTOH don't waste too "
    "much time bonus on building big clusters. Only completed levels score time and level "
    "bonuses.\n\n"
    "Normally you have 3 to 5 seconds time to fire the pint. If you wait too long, the pint may "
    "explode and flush the beer all over poor Gurk and Tamm. If they get drunk, they won't act "
    "properly. Gurk might accidentally fire off the gun by himself.\n\n"
    "This is the main help page. Submenus might have their own help pages, that tell about the "
    "functions in the menus.\n\n"
    "Just remember: Orbit Pub Rules!";

const char graphicsHelp[] =
    "Set the graphics.\nDon't count on it, though.\nYou might experience sound troubles etc.";

const char credits[] =
    "Gurk and Tamm at the Orbit Pub\n"
    "Made by the Orbit Pub team.\n"
    "\n"
    "Built with the Allegro 4 game library.\n"
    "Text in Comic Neue (Debian's fonts-comic-neue).\n"
    "Music played with the TimGM6mb General MIDI set.\n"
    "Singing by espeak-ng, sounds by sox. Cheers!";

char okText[] = "ok";

// The layout every information page shares: a grey box, a pale green text
// box and the "ok" button, whose shortcut is the space character.
DIALOG Box()
{
    return {d_box_proc, 112, 64, 424, 312, 0, 0xAAAAAA, 0, 0, 0, 0, nullptr, nullptr, nullptr};
}

DIALOG TextBox(const char* text)
{
    return {d_textbox_proc, 120, 72, 408, 264, -1, 0xDDFFDD, 0, 0, 0, 0,
            const_cast<char*>(text), nullptr, nullptr};
}

DIALOG OkButton()
{
    return {d_button_proc, 312, 344, 40, 16, -1, 0xDDFFDD, ' ', D_EXIT, 0, 0, okText, nullptr,
            nullptr};
}

// The dialog manager polls without pause; this invisible object sleeps 10 ms
// whenever the page is idle, as the menus do between their polls. It stands
// after the button, so the indices the pages return keep their meaning.
int IdleProc(int msg, DIALOG*, int)
{
    if (msg == MSG_IDLE)
        rest(10);
    return D_O_K;
}

DIALOG Yield()
{
    return {IdleProc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr};
}

DIALOG End()
{
    return {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr};
}

// Runs a page until it is left through its button (index button); any other
// way out, such as the Esc key, opens it again at once.
void RunUntilButton(DIALOG* page, int button)
{
    while (popup_dialog(page, -1) != button) {
    }
}

void ShowHelpPage(const char* text, bool setPalette)
{
    InfoPage page(text);
    clear_keybuf();
    if (setPalette)
        set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    RunUntilButton(page.objects, 2);
    WaitKeyUp(KEY_SPACE);
}

}  // namespace

InfoPage::InfoPage(const char* text) : objects{Box(), TextBox(text), OkButton(), Yield(), End()}
{
}

void Help()
{
    ShowHelpPage(helpPage1, true);
    ShowHelpPage(helpPage2, false);
}

void About()
{
    DIALOG page[] = {Box(), TextBox(credits),
                     {d_bitmap_proc, 134, 237, 380, 99, 0, 0xAAAAAA, 0, 0, 0, 0,
                      DATA_BITMAP(DAT_CREDITS_PICTURE), nullptr, nullptr},
                     OkButton(), Yield(), End()};
    clear_keybuf();
    text_mode(-1);
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    RunUntilButton(page, 3);
    WaitKeyUp(KEY_SPACE);
}

int HelpSettings1()
{
    InfoPage page(graphicsHelp);
    clear_keybuf();
    WaitKeyUp(KEY_SPACE);
    text_mode(-1);
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    return popup_dialog(page.objects, -1);
}

void Startup()
{
    blit(DATA_BITMAP(DAT_BACKGROUND), screen, 0, 0, 0, 0, 640, 480);
    for (int i = 0; i < 29 && !key[KEY_SPACE]; i++)
        rest(100);
    Help();
    draw_sprite(screen, DATA_BITMAP(DAT_TITLE_OVERLAY_LOW), 0, 202);
    draw_sprite(screen, DATA_BITMAP(DAT_TITLE_OVERLAY_TOP), 0, 0);
    draw_sprite(screen, DATA_BITMAP(DAT_TITLE_OVERLAY_LEFT), 119, 234);
    draw_sprite(screen, DATA_BITMAP(DAT_TITLE_OVERLAY_RIGHT), 412, 236);
    WaitKeyDown(KEY_SPACE);
    WaitKeyUp(KEY_SPACE);
    stop_midi();
}

void bailout()
{
    allegro_message("Unable to set the graphic mode. Tried with 32/24 bit fullscreen/windowed.");
}

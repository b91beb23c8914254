#include "song/songmenu.h"

#include <allegro.h>

#include <new>

#include "app/globals.h"
#include "app/poll.h"
#include "game/classes.h"
#include "song/karaoke.h"
#include "song/mp3.h"
#include "ui/dialogs.h"
#include "ui/onekeymenu.h"

namespace {

enum SongEntry { LISTEN, PITCH1_MELODY, PITCH1_BACKING, PITCH2_MELODY, PITCH2_BACKING, HELP, RETURN };

const int mp3BufferLength = 65536;

const char helpText[] =
    "Listen to a mp3 file, where the bartender sings the song.\n\n"
    "Sing along with a midi file and a scrolling lyrics page, you can choose between two "
    "pitches and either with or without the trombone melody line.";

void ShowBackground()
{
    blit(DATA_BITMAP(DAT_BACKGROUND), screen, 0, 0, 0, 0, 640, 480);
}

void ShowHelp()
{
    InfoPage page(helpText);
    text_mode(-1);
    clear_keybuf();
    set_palette(DATA_PALETTE(DAT_MAIN_PALETTE));
    popup_dialog(page.objects, -1);
}

}  // namespace

void PlaySongTrack()
{
    blit(DATA2_BITMAP(DAT2_MP3_PICTURE), screen, 0, 0, 128, 50, 384, 280);
    Frame(screen, 128, 50, 511, 329, makecol(80, 220, 40));
    MP3FILE* mp3 = open_mp3_file("vocals.mp3");
    WaitKeyUp(KEY_SPACE);
    if (mp3)
        play_mp3_file(mp3, mp3BufferLength, 255, 128);
    // When the recording ends the page stays, silent, until the key.
    PollUntil([&mp3] {
        if (key[KEY_SPACE])
            return true;
        if (mp3 && poll_mp3_file(mp3)) {
            close_mp3_file(mp3);
            mp3 = nullptr;
        }
        return false;
    });
    close_mp3_file(mp3);
}

void PlayKaraoke(MIDI* song)
{
    WaitKeyUp(KEY_SPACE);
    if (!thedata1)
        return;
    Karaoke* myKaraoke = new (std::nothrow)
        Karaoke("lyrics.txt", (FONT*)thedata1[DAT2_LYRICS_FONT].dat,
                DATA2_PALETTE(DAT2_SUNG_PALETTE), DATA2_PALETTE(DAT2_UNSUNG_PALETTE), song);
    if (!myKaraoke || !myKaraoke->ok) {
        alert("myKaraoke not ok", nullptr, nullptr, "Ok", nullptr, 0, 0);
        delete myKaraoke;
        return;
    }
    int w = myKaraoke->Width();
    myKaraoke->CreateWindow(w + 40, 400, DATA2_BITMAP(DAT2_LYRICS_TILE));
    if (myKaraoke->workarea) {
        Frame(screen, 300 - w / 2, 40, w / 2 + 340, 440, makecol(180, 100, 20));
        myKaraoke->Play(300 - w / 2, 40);
    }
    delete myKaraoke;
}

void RunKaraoke()
{
    stop_midi();
    WaitKeyUp(KEY_SPACE);
    Onekeymenu menu = Onekeymenu::Standard(oldfont);
    const char* entries[] = {"Listen to mp3", "Karaoke, pitch 1 with melody",
                             "Karaoke, pitch 1 without melody", "Karaoke, pitch 2 with melody",
                             "Karaoke, pitch 2 without melody", "Help", "Return"};
    for (const char* entry : entries)
        menu.add(entry);
    menu.fix_widths(10);

    static const int songs[] = {DAT_SONG_PITCH1_MELODY, DAT_SONG_PITCH1_BACKING,
                                DAT_SONG_PITCH2_MELODY, DAT_SONG_PITCH2_BACKING};
    for (int choice = LISTEN; choice != RETURN;) {
        choice = menu.do_menu(200, 100, 500, KEY_SPACE);
        switch (choice) {
        case LISTEN:
            ShowBackground();
            PlaySongTrack();
            break;
        case PITCH1_MELODY:
        case PITCH1_BACKING:
        case PITCH2_MELODY:
        case PITCH2_BACKING:
            ShowBackground();
            PlayKaraoke(DATA_MIDI(songs[choice - PITCH1_MELODY]));
            break;
        case HELP:
            ShowHelp();
            break;
        }
        WaitKeyUp(KEY_SPACE);
    }
}

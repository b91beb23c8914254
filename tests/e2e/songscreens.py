"""The song menu and its two pages as a player sees them, for the song
screens' end-to-end tests, the screenshot gallery and the benchmarks.

The song menu's frame stands at (200, 100), seven rows 23 pixels apart; the
karaoke page sits inside an orange-brown bevelled border whose top edge is at
y 35..39 around x 320; the MP3 page's picture is at (128, 50) inside a green
border."""

import harness

SONG_AND_MUSIC = 3
SONG_ENTRIES = ["Listen to mp3", "Karaoke, pitch 1 with melody",
                "Karaoke, pitch 1 without melody", "Karaoke, pitch 2 with melody",
                "Karaoke, pitch 2 without melody", "Help", "Return"]
LISTEN, KARAOKE_FIRST, HELP, RETURN = 0, 1, 5, 6

MENU_X, MENU_Y = 200, 100
KARAOKE_BORDER = (180, 100, 20)   # the middle ring of the lyrics page's border
KARAOKE_PROBES = [(320, 37), (100, 37), (540, 37)]
MP3_BORDER = (80, 220, 40)
MP3_PROBES = [(125, 200), (514, 200), (320, 47), (320, 332)]
# The lyrics page without its border: from the top of the page at y 40 down.
KARAOKE_REGION = (140, 40, 360, 400)


SONG_MENU = harness.Menu(MENU_X, MENU_Y, SONG_ENTRIES)


def menu_row(game):
    """The highlighted row of the song menu, or None when it is not shown."""
    return game.menu_row(SONG_MENU)


def wait_menu(game, timeout=20):
    game.wait_menu(timeout, SONG_MENU)


def to_song_menu(game):
    game.to_main_menu()
    game.pick(SONG_AND_MUSIC)
    wait_menu(game)


def pick(game, index, timeout=20):
    """Presses space right after the song menu's highlight came to index."""
    return game.pick(index, timeout, SONG_MENU)


def karaoke_shown(game):
    colours = game.probe(KARAOKE_PROBES[:1])
    return bool(colours) and colours[0] == KARAOKE_BORDER


def mp3_shown(game):
    colours = game.probe(MP3_PROBES)
    return bool(colours) and all(c == MP3_BORDER for c in colours)


def to_karaoke(game, entry=KARAOKE_FIRST):
    to_song_menu(game)
    pick(game, entry)
    game.wait(lambda: karaoke_shown(game), 10, "the karaoke page")


def to_mp3(game):
    to_song_menu(game)
    pick(game, LISTEN)
    game.wait(lambda: mp3_shown(game), 10, "the MP3 page")

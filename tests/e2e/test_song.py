"""What the player hears of the song: the menu music in the main menu, a
karaoke song and the bartender's recording from the song menu, each caught
through ALSA's file device. The song menu itself is silent, so the sound that
arrives after an entry is picked is that entry's."""

import time
import unittest

import harness

SONG_AND_MUSIC, QUIT = 3, 6

# The song menu: frame at (200, 100), rows 23 pixels apart, entry boxes from
# x 215; entries in order.
SONG_MENU_X, SONG_MENU_Y = 200, 100
SONG_ENTRIES = ["Listen to mp3", "Karaoke, pitch 1 with melody", "Karaoke, pitch 1 without melody",
                "Karaoke, pitch 2 with melody", "Karaoke, pitch 2 without melody", "Help", "Return"]
LISTEN, KARAOKE_P1 = 0, 1


def song_menu_row(game):
    """The highlighted row of the song menu, or None when it is not shown."""
    points = [(SONG_MENU_X + 18, SONG_MENU_Y + 10 + r * harness.ROW_PITCH + 7)
              for r in range(len(SONG_ENTRIES))]
    rows = game.probe(points)
    if not rows or rows.count(harness.SELECTED) != 1 or rows.count(harness.PLAIN) != len(rows) - 1:
        return None
    return rows.index(harness.SELECTED)


def pick_in_song_menu(game, index, timeout=20):
    last = [None]

    def arrived():
        row = song_menu_row(game)
        fresh = row == index and last[0] != index
        last[0] = row
        return fresh
    game.wait(arrived, timeout, "the highlight on %r" % SONG_ENTRIES[index], interval=0.01)
    game.press()


def new_sound(game, since):
    """Seconds of loud sound caught after the first `since` samples."""
    sound = game.sound()
    sound.samples = sound.samples[since:]
    return sound.loud_seconds()


class SongTest(unittest.TestCase):
    def test_menu_music_karaoke_and_recording_are_heard(self):
        cases = [("karaoke, pitch 1 with melody", KARAOKE_P1),
                 ("the bartender's recording", LISTEN)]
        for what, entry in cases:
            with self.subTest(what):
                setup = lambda home: home.write_settings("sound = 128\nmidi = 128\n")
                with harness.Run(home_setup=setup) as game:
                    game.to_main_menu()
                    time.sleep(2.0)
                    self.assertGreater(game.sound().loud_seconds(), 1.0, "the menu music is heard")

                    game.pick(SONG_AND_MUSIC)
                    game.wait(lambda: song_menu_row(game) is not None, 20, "the song menu")
                    time.sleep(1.0)  # the menu music has stopped by now
                    before = len(game.sound().samples)
                    pick_in_song_menu(game, entry)
                    time.sleep(4.0)
                    heard = new_sound(game, before)
                    game.press()  # ends the page
                    self.assertGreater(heard, 2.0, "%s is heard" % what)

                    pick_in_song_menu(game, len(SONG_ENTRIES) - 1)
                    game.wait_menu()
                    game.pick(QUIT)
                    self.assertEqual(game.wait_exit(10), 0)


if __name__ == "__main__":
    harness.main()

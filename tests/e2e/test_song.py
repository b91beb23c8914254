"""What the player hears of the song: the menu music in the main menu, a
karaoke song and the bartender's recording from the song menu, each caught
through ALSA's file device. The song menu itself is silent, so the sound that
arrives after an entry is picked is that entry's."""

import time
import unittest

import harness
import songscreens as songs

QUIT = 6


def new_sound(game, since):
    """Seconds of loud sound caught after the first `since` samples."""
    sound = game.sound()
    sound.samples = sound.samples[since:]
    return sound.loud_seconds()


class SongTest(unittest.TestCase):
    def test_menu_music_karaoke_and_recording_are_heard(self):
        cases = [("karaoke, pitch 1 with melody", songs.KARAOKE_FIRST),
                 ("the bartender's recording", songs.LISTEN)]
        for what, entry in cases:
            with self.subTest(what):
                setup = lambda home: home.write_settings("sound = 128\nmidi = 128\n")
                with harness.Run(home_setup=setup) as game:
                    game.to_main_menu()
                    time.sleep(2.0)
                    self.assertGreater(game.sound().loud_seconds(), 1.0, "the menu music is heard")

                    game.pick(songs.SONG_AND_MUSIC)
                    songs.wait_menu(game)
                    time.sleep(1.0)  # the menu music has stopped by now
                    before = len(game.sound().samples)
                    songs.pick(game, entry)
                    time.sleep(4.0)
                    heard = new_sound(game, before)
                    game.press()  # ends the page
                    self.assertGreater(heard, 2.0, "%s is heard" % what)

                    songs.pick(game, songs.RETURN)
                    game.wait_menu()
                    game.pick(QUIT)
                    self.assertEqual(game.wait_exit(10), 0)


if __name__ == "__main__":
    harness.main()

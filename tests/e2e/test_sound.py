"""What the player hears at start-up: the title and menu music with the
music volume ("midi") above 0, nothing at all with it at 0. The sound is
caught through ALSA's file device in the run's home."""

import time
import unittest

import harness

QUIT = 6


class MusicTest(unittest.TestCase):
    def test_music_follows_the_midi_setting(self):
        cases = [("midi = 128: the music plays", 128, True),
                 ("midi = 0: silence", 0, False)]
        for what, midi, heard in cases:
            with self.subTest(what):
                setup = lambda home: home.write_settings("sound = 128\nmidi = %d\n" % midi)
                with harness.Run(home_setup=setup) as game:
                    game.to_main_menu()
                    time.sleep(1.0)
                    game.pick(QUIT)
                    self.assertEqual(game.wait_exit(10), 0)
                    sound = game.sound()
                # The capture runs faster than real time: seconds of it, not
                # of the run.
                self.assertGreater(sound.seconds(), 2.0, "the sound was caught at all")
                if heard:
                    self.assertGreater(sound.loud_seconds(), 1.0, "music is heard")
                else:
                    self.assertLessEqual(sound.peak(), 16, "not a sound")


if __name__ == "__main__":
    harness.main()

"""The two volumes in the player's settings file: written at "Quit", read
back at start-up, and a broken or unwritable file never stops the game."""

import os
import unittest

import harness

QUIT = 6


def quit_from_menu(test, game):
    """Picks "Quit"; checks the program ends with status 0 after its
    one-second pause, within two seconds of the press."""
    pressed = game.pick(QUIT)
    test.assertEqual(game.wait_exit(10), 0)
    took = game.exited - pressed
    test.assertGreater(took, 0.9, "the one-second pause before the end")
    test.assertLess(took, 2.0, "ends within two seconds of the press")


class SettingsTest(unittest.TestCase):
    def test_quit_writes_the_settings(self):
        cases = [
            # what, XDG_CONFIG_HOME (inside the home), file before, expected after
            ("no file yet: ~/.config/orbitpub made, defaults written", None, None,
             {"sound": "128", "midi": "128"}),
            ("values read at start-up are written back", "elsewhere",
             "sound = 77\nmidi = 0\n", {"sound": "77", "midi": "0"}),
        ]
        for what, xdg, before, after in cases:
            with self.subTest(what):
                setup = (lambda home: home.write_settings(before)) if before else None
                with harness.Run(xdg=xdg, home_setup=setup) as game:
                    game.to_main_menu()
                    quit_from_menu(self, game)
                    self.assertEqual(game.home.settings(), after)
                    if xdg:
                        self.assertFalse(os.path.exists(os.path.join(game.home.dir, ".config")),
                                         "nothing written under ~/.config")
                    self.assertEqual(game.stderr_lines(), [])

    def test_garbage_settings_start_with_the_defaults(self):
        garbage = bytes((i * 73 + 41) % 256 for i in range(3000)) + b"\nmidi\n= = =\n[[\n"
        with harness.Run(home_setup=lambda home: home.write_settings(garbage)) as game:
            game.to_main_menu()
            quit_from_menu(self, game)
            self.assertGreater(game.sound().loud_seconds(), 1.0, "music at the default volume")
            settings = game.home.settings()
            self.assertEqual((settings.get("sound"), settings.get("midi")), ("128", "128"))

    def test_unwritable_settings_folder_plays_and_says_so_once(self):
        def setup(home):
            # The folder cannot be made: a file stands in its place (the
            # tests may run as root, who can write into any folder).
            os.makedirs(os.path.dirname(home.config_folder))
            with open(home.config_folder, "w") as f:
                f.write("in the way\n")
        with harness.Run(home_setup=setup) as game:
            game.to_main_menu()
            quit_from_menu(self, game)
            lines = game.stderr_lines()
            self.assertEqual(len(lines), 1, lines)
            self.assertIn("settings", lines[0].lower())
            with open(game.home.config_folder) as f:
                self.assertEqual(f.read(), "in the way\n")


if __name__ == "__main__":
    harness.main()

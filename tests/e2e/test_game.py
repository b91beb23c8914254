"""The game as the player meets it: "Play" opens the level screen with its
green field border and the two panels; shots change the field; the escape
key ends the program cleanly; the window's close button during a flight asks
"Escape?", and "Yes" loses the level."""

import time
import unittest

import harness

from gamescreens import (FIELD_TOP, LIT, MENU_FRAME, MESSAGE_GREY, MESSAGE_PROBE,
                         QUESTION_FRAME, YES_PROBE, level_screen, shoot, start_level)


class GameTest(unittest.TestCase):
    def test_play_shows_the_level_screen(self):
        with harness.Run() as game:
            start_level(game)
            wheel = (270, 320, 80, 80)
            frames = {game.grab().region(*wheel) for _ in range(4)}
            self.assertGreater(len(frames), 1, "the arrow wheel turns by itself")

    def test_shots_change_the_field(self):
        with harness.Run() as game:
            start_level(game)
            before = game.grab().region(*FIELD_TOP)
            shoot(game)
            after = game.grab().region(*FIELD_TOP)
            self.assertNotEqual(before, after, "the item settled on the field")
            shoot(game)
            self.assertNotEqual(after, game.grab().region(*FIELD_TOP))
            self.assertTrue(level_screen(game))

    def test_escape_ends_the_program_and_saves_the_settings(self):
        with harness.Run() as game:
            start_level(game)
            game.press("Escape")
            self.assertEqual(game.wait_exit(10), 0)
            self.assertEqual(game.stderr_lines(), [])
            settings = game.home.settings()
            self.assertIn("sound", settings)
            self.assertIn("midi", settings)

    def test_close_button_in_flight_asks_and_yes_loses(self):
        with harness.Run() as game:
            start_level(game)
            game.press()
            time.sleep(0.2)  # the item is on its way
            game.close_window()
            game.wait(lambda: game.probe([QUESTION_FRAME, YES_PROBE]) == [MENU_FRAME, LIT],
                      5, 'the "Escape?" question with "Yes" lit')
            game.press()
            game.wait(lambda: game.probe([MESSAGE_PROBE]) == [MESSAGE_GREY], 5,
                      'the "Game Over" box')
            game.press()
            self.assertEqual(game.wait_menu(), 0, "back in the main menu")

    def test_close_button_while_aiming_is_forgotten(self):
        with harness.Run() as game:
            start_level(game)
            game.close_window()
            time.sleep(0.5)
            shoot(game)
            self.assertTrue(level_screen(game))
            self.assertNotEqual(game.probe([QUESTION_FRAME]), [MENU_FRAME])


if __name__ == "__main__":
    harness.main()

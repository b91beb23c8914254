"""The game as the player meets it: "Play" opens the level screen with its
green field border and the two panels; shots change the field; the escape
key ends the program cleanly; the window's close button during a flight asks
"Escape?", and "Yes" loses the level."""

import time
import unittest

import harness

PLAY = 0

# The field's border is drawn around (200, 40)-(439, 439) in (40, 240, 20):
# its middle ring, two pixels out, has the plain colour; so has the panels'.
FIELD_GREEN = (40, 240, 20)
FIELD_RING = [(197, 240), (442, 240), (320, 37), (320, 442)]
PANEL_GREEN = (20, 240, 40)
PANEL_RING = [(457, 85), (613, 85), (457, 170), (583, 170)]

# The field above the launcher, where the items settle.
FIELD_TOP = (200, 40, 240, 280)

# The "Escape?" question: a frame at (254, 100) with the title row and then
# "Yes" and "No"; "Yes" is lit first.
QUESTION_FRAME = (256, 103)
YES_PROBE, NO_PROBE = (272, 163), (272, 186)
MENU_FRAME, LIT = (140, 140, 140), (180, 0, 0)

# A message box: light grey from (250, 100) for the shortest texts.
MESSAGE_PROBE, MESSAGE_GREY = (320, 105), (200, 200, 200)


def level_screen(game):
    colours = game.probe(FIELD_RING + PANEL_RING)
    return bool(colours) and colours[:4] == [FIELD_GREEN] * 4 and \
        colours[4:] == [PANEL_GREEN] * 4


def start_level(game):
    game.to_main_menu()
    game.pick(PLAY)
    game.wait(lambda: level_screen(game), 10, "the level screen")
    time.sleep(1.0)  # the first item is loaded and the arrow swings


def shoot(game):
    """One shot; returns once it has settled on the field."""
    game.press()
    time.sleep(2.5)


class GameTest(unittest.TestCase):
    def test_play_shows_the_level_screen(self):
        with harness.Run() as game:
            start_level(game)
            shot = game.grab()
            # The field is not the menu's background, and the arrow swings.
            self.assertNotEqual(shot.region(*FIELD_TOP), b"")
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

"""The title and the information pages: what start-up shows before the menu,
and the "Help" and "About" entries. Every page closes with the space key
only, and a press made before a page opens does not close it."""

import time
import unittest

import harness
from harness import PAGE_H, PAGE_W, PAGE_X, PAGE_Y


def outside_page(image):
    """The pixels of the screen around an information page."""
    return (image.region(0, 0, 640, PAGE_Y) +
            image.region(0, PAGE_Y + PAGE_H + 1, 640, 480 - PAGE_Y - PAGE_H - 1) +
            image.region(0, PAGE_Y, PAGE_X, PAGE_H) +
            image.region(PAGE_X + PAGE_W + 1, PAGE_Y, 640 - PAGE_X - PAGE_W - 1, PAGE_H))


def page_stays(test, game, text, seconds=1.0):
    """Nothing but the space key closes a page: it is still there later."""
    time.sleep(seconds)
    test.assertTrue(game.page_shown(), "the page is still open")
    test.assertEqual(game.page_text(), text, "the same page is still open")


class StartupTest(unittest.TestCase):
    def test_title_then_two_help_pages_then_title_with_overlays(self):
        with harness.Run() as game:
            game.find_window()
            window_at = time.monotonic()
            title = game.wait_picture()
            self.assertFalse(game.page_shown(), "the title comes first")

            first = game.wait_page(timeout=30)
            waited = time.monotonic() - window_at
            self.assertGreater(waited, 2.4, "the title stays about 2.9 s")
            self.assertLess(waited, 6.0, "the title stays about 2.9 s")
            self.assertEqual(outside_page(game.grab()), outside_page(title),
                             "the page opens over the title picture")
            page_stays(self, game, first)

            game.press()
            second = game.wait_page(other_than=first)
            page_stays(self, game, second)

            game.press()
            game.wait_page_closed()
            time.sleep(1.0)
            self.assertIsNone(game.menu_row(), "the title waits for a press")
            with_overlays = game.grab()
            self.assertNotEqual(with_overlays.data, title.data, "the overlays are drawn")

            game.press()
            self.assertEqual(game.wait_menu(), 0)

    def test_holding_space_cuts_the_title_and_the_press_does_not_close_the_page(self):
        with harness.Run() as game:
            game.find_window()
            game.key_down()
            pressed = time.monotonic()
            try:
                # Held no longer than half a second: a longer hold would start
                # the key's auto-repeat, which a page would take as new presses.
                harness.wait_until(game.page_shown, 0.5, "the page", interval=0.01)
            except harness.Timeout:
                pass
            finally:
                game.key_up()
            first = game.wait_page(timeout=10)
            self.assertLess(time.monotonic() - pressed, 2.0, "the title was cut short")
            page_stays(self, game, first)


class MenuPagesTest(unittest.TestCase):
    def test_help_shows_the_two_start_up_pages_and_escape_does_not_close_them(self):
        with harness.Run() as game:
            game.to_main_menu()
            first, second = game.startup_pages
            game.pick(1)
            self.assertEqual(game.wait_page(), first)

            game.press("Escape")
            page_stays(self, game, first, seconds=0.5)

            game.press()
            self.assertEqual(game.wait_page(other_than=first), second)
            page_stays(self, game, second, seconds=0.5)
            game.press()
            self.assertEqual(game.wait_menu(), 0, "back in the menu, on Play")

    def test_about_shows_the_credits_with_a_picture(self):
        with harness.Run() as game:
            game.to_main_menu()
            game.pick(2)
            credits = game.wait_page()
            self.assertNotIn(credits, game.startup_pages)
            shot = game.grab()
            self.assertGreater(len(shot.colours(134, 237, 380, 99)), 8,
                               "a picture in the lower part of the page")
            page_stays(self, game, credits, seconds=0.5)
            game.press()
            self.assertEqual(game.wait_menu(), 0, "back in the menu, on Play")


if __name__ == "__main__":
    harness.main()

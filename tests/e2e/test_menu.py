"""The main menu as the player sees it: the frame, the seven entry boxes and
their colours, and the highlight walking down the entries by itself."""

import time
import unittest

import harness
from harness import (BOX_LEFT, BOX_RIGHT, FRAME, FRAME_DARK, FRAME_LIGHT, MENU_ROWS,
                     PLAIN, PLAIN_DARK, PLAIN_LIGHT, PLAIN_TEXT, ROW_HEIGHT, SELECTED,
                     SELECTED_DARK, SELECTED_LIGHT, SELECTED_TEXT, row_top)

# The frame's edges: its box runs from (x, y) to (x + w, y + h), both included.
LEFT, TOP = harness.MENU_X, harness.MENU_Y
RIGHT, BOTTOM = LEFT + harness.MENU_W, TOP + harness.MENU_H
CENTRE = LEFT + harness.MENU_W // 2  # the texts are centred on it


class MainMenuTest(unittest.TestCase):
    def test_frame_boxes_and_colours(self):
        with harness.Run() as game:
            self.assertEqual(game.to_main_menu(), 0, "the menu opens on Play")
            shot = game.grab()

        frame = [
            ("top-left corner", LEFT, TOP, FRAME_LIGHT),
            ("top edge", CENTRE, TOP, FRAME_LIGHT),
            ("left edge", LEFT, 240, FRAME_LIGHT),
            ("top-right corner", RIGHT, TOP, FRAME_DARK),
            ("right edge", RIGHT, 240, FRAME_DARK),
            ("bottom edge", CENTRE, BOTTOM, FRAME_DARK),
            ("bottom-left corner", LEFT, BOTTOM, FRAME_DARK),
            ("bottom-right corner", RIGHT, BOTTOM, FRAME_DARK),
            ("inside top-left", LEFT + 1, TOP + 1, FRAME),
            ("inside bottom-right", RIGHT - 1, BOTTOM - 1, FRAME),
            ("left of the boxes", BOX_LEFT - 1, 240, FRAME),
            ("right of the boxes", BOX_RIGHT + 1, 240, FRAME),
            ("between rows 0 and 1", CENTRE, row_top(0) + 17, FRAME),
            ("below the last row", CENTRE, BOTTOM - 5, FRAME),
        ]
        for what, x, y, colour in frame:
            with self.subTest(what, x=x, y=y):
                self.assertEqual(shot.pixel(x, y), colour)
        outside = [("left", LEFT - 1, 240), ("right", RIGHT + 1, 240),
                   ("above", CENTRE, TOP - 1), ("below", CENTRE, BOTTOM + 1)]
        for what, x, y in outside:
            with self.subTest("outside the frame, " + what, x=x, y=y):
                self.assertNotIn(shot.pixel(x, y), (FRAME, FRAME_LIGHT, FRAME_DARK))

        for row in range(MENU_ROWS):
            top, bottom = row_top(row), row_top(row) + ROW_HEIGHT
            fill, light, dark, text = ((SELECTED, SELECTED_LIGHT, SELECTED_DARK, SELECTED_TEXT)
                                       if row == 0 else (PLAIN, PLAIN_LIGHT, PLAIN_DARK, PLAIN_TEXT))
            box = [("top-left", BOX_LEFT, top, light), ("top-right", BOX_RIGHT, top, dark),
                   ("bottom-left", BOX_LEFT, bottom, dark),
                   ("bottom-right", BOX_RIGHT, bottom, dark),
                   ("top edge", CENTRE, top, light), ("left edge", BOX_LEFT, top + 7, light),
                   ("inside", BOX_LEFT + 1, top + 1, fill),
                   ("inside", BOX_RIGHT - 1, bottom - 1, fill)]
            for what, x, y, colour in box:
                with self.subTest("row %d box %s" % (row, what), x=x, y=y):
                    self.assertEqual(shot.pixel(x, y), colour)
            with self.subTest("row %d text" % row):
                inside = (BOX_LEFT + 1, top + 1, BOX_RIGHT - BOX_LEFT - 1, ROW_HEIGHT - 1)
                self.assertEqual(shot.colours(*inside), {fill, text})
                xs = [x for x in range(BOX_LEFT + 1, BOX_RIGHT)
                      for y in range(top + 1, bottom) if shot.pixel(x, y) == text]
                ys = [y for x in range(BOX_LEFT + 1, BOX_RIGHT)
                      for y in range(top + 1, bottom) if shot.pixel(x, y) == text]
                self.assertLessEqual(abs((min(xs) + max(xs)) / 2 - CENTRE), 4, "text centred")
                self.assertGreaterEqual(min(ys), top + 4, "text starts 4 pixels down")
                self.assertLessEqual(max(ys), top + 4 + 7, "text is one line of 8 pixels")

    def test_highlight_walks_row_by_row_every_half_second(self):
        with harness.Run() as game:
            game.to_main_menu()
            seen = []  # (time, row) at each change of the highlight
            deadline = time.monotonic() + 5.0  # 0 .. 6 and back to 0 takes 3.5 s
            while time.monotonic() < deadline:
                row = game.menu_row()
                if row is not None and (not seen or seen[-1][1] != row):
                    seen.append((time.monotonic(), row))
                time.sleep(0.01)

        rows = [row for _, row in seen]
        self.assertGreaterEqual(len(rows), 8, "the walk reached the last entry and wrapped")
        expected = [(rows[0] + i) % MENU_ROWS for i in range(len(rows))]
        self.assertEqual(rows, expected, "one row at a time, wrapping after the last")
        self.assertIn(0, rows[1:], "after the last entry the first is highlighted again")
        steps = sorted(b[0] - a[0] for a, b in zip(seen[1:], seen[2:]))
        median = steps[len(steps) // 2]
        self.assertGreater(median, 0.4, "each entry stays highlighted about half a second")
        self.assertLess(median, 0.8, "each entry stays highlighted about half a second")


if __name__ == "__main__":
    harness.main()

"""Getting to the game's level screen and playing it, for the end-to-end
tests and the screenshot gallery."""

import time

PLAY = 0  # the main menu's entry

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

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
# The whole field, and the middle of the launcher's item at (120, 355) in it.
FIELD = (200, 40, 240, 400)
LAUNCHER = (312, 387, 16, 16)

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


def launcher(image):
    """The middle of the item on the launcher, as raw bytes."""
    return image.region(*LAUNCHER)


def shoot(game, after=0.0, frames=None):
    """One shot, fired `after` seconds from now (the turn's item has just been
    loaded); returns once the next item lies on the launcher, so the flight
    and whatever the shot set off (a removal, a burst) are over. A press
    during the flight would ask "Escape?", so nothing is pressed before then.

    With a list as `frames`, every picture grabbed from the press on is
    appended to it; the picture just before the press comes first."""
    time.sleep(after)
    before = game.grab()
    loaded = launcher(before)
    if frames is not None:
        frames.append(before)
    game.press()
    game.wait(lambda: launcher(game.grab()) != loaded, 3, "the item leaving the launcher")
    time.sleep(0.3)  # well clear of the launcher now
    empty = launcher(game.grab())

    def next_loaded():
        image = game.grab()
        if frames is not None:
            frames.append(image)
        return launcher(image) != empty
    game.wait(next_loaded, 30, "the next item on the launcher")
    time.sleep(0.1)


SCORE = (460, 65, 151, 41)  # the score's digits
LATE = 4.2  # seconds from loading to the press: the shot rests after 4.02 s


def changed_pixels(a, b, rect):
    """How many pixels of a rectangle differ between two pictures."""
    ra, rb = a.region(*rect), b.region(*rect)
    return sum(ra[i:i + 3] != rb[i:i + 3] for i in range(0, len(ra), 3))


def liveliest(frames):
    """Of the pictures after the press, the one that differs most over the
    field from the picture before it: the fullest moment of an animation."""
    before = frames[0]
    return max(frames[1:], key=lambda image: changed_pixels(before, image, FIELD))


def burst(game, shots=15):
    """Late shots until one bursts (3 in 10 do); returns the picture of the
    splash at its fullest. A burst leaves the field as it was."""
    start_level(game)
    for _ in range(shots):
        frames = []
        shoot(game, LATE, frames)
        if frames[0].region(*FIELD_TOP) == frames[-1].region(*FIELD_TOP):
            return liveliest(frames)
    raise AssertionError("no burst in %d late shots" % shots)


def removal(game, shots=25):
    """Quick shots (they never burst) until one scores; returns the picture
    of the items being sucked away."""
    start_level(game)
    for _ in range(shots):
        frames = []
        shoot(game, 0.0, frames)
        if frames[0].region(*SCORE) != frames[-1].region(*SCORE):
            return liveliest(frames)
    raise AssertionError("no group removed in %d shots" % shots)

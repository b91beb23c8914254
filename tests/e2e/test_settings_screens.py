"""The graphics and sound settings screens, played on the real program:
each mode entry ends in a working mode and the main menu comes back drawn as
before (in 24 bits too), the graphics help page and back, "Cancel"; the
sound-effect entries heard at full and half loudness or not at all, "Music
off" silencing the music, and the chosen volumes kept in the settings file
and read back at the next start."""

import time
import unittest

import harness

PLAY, GFX_SETTINGS, SOUND_SETTINGS, QUIT = 0, 4, 5, 6

# Both settings menus stand at (200, 100), like the song menu.
GFX_ENTRIES = ["32 bit windowed", "24 bit windowed", "32 bit fullscreen", "24 bit fullscreen",
               "Help", "Cancel"]
SOUND_ENTRIES = ["Music full", "Music medium", "Music off", "Sound fx full", "Sound fx medium",
                 "Sound fx off", "Return"]
HELP, CANCEL = 4, 5
MUSIC_FULL, MUSIC_OFF, FX_FULL, FX_MEDIUM, FX_OFF, RETURN = 0, 2, 3, 4, 5, 6

# The main menu's frame, which the highlight changes; the rest of the screen
# must come back pixel for pixel.
MENU_BOX = (harness.MENU_X, harness.MENU_Y, harness.MENU_W + 1, harness.MENU_H + 1)


def settings_menu(entries):
    return harness.Menu(200, 100, entries)


def wait_settings(game, entries):
    """Waits for a settings menu; returns the highlighted row."""
    return game.wait_menu(15, settings_menu(entries))


def pick_setting(game, entries, index):
    """Presses space as the highlight arrives on entry index."""
    return game.pick(index, 15, settings_menu(entries))


def visible_windows(game, name):
    """The ids of the mapped windows whose name matches the pattern."""
    r = game._x(["xdotool", "search", "--onlyvisible", "--name", name])
    return r.stdout.decode().split()


def picture_window(game):
    """Finds the window the game draws in now and makes it the one probed:
    ("windowed", id) for its titled window, ("fullscreen", id) for the
    untitled 640 x 480 window of a full-screen mode, or None while neither
    is shown."""
    titled = visible_windows(game, "^%s$" % harness.TITLE)
    if titled:
        found = ("windowed", titled[0])
    else:
        found = None
        for window in visible_windows(game, "^$"):
            r = game._x(["xdotool", "getwindowgeometry", window])
            if b"Geometry: 640x480" in r.stdout:
                found = ("fullscreen", window)
    if found:
        game.window = found[1]
    return found


def outside(image, box):
    """The picture with a rectangle blanked out, for comparing two screens."""
    x0, y0, w, h = box
    data = bytearray(image.data)
    for y in range(y0, y0 + h):
        i = (y * image.width + x0) * 3
        data[i:i + w * 3] = bytes(w * 3)
    return bytes(data)


def captured(game):
    """How many samples the sound capture holds so far."""
    return len(game.sound().samples)


def bursts(sound, start=0, gap=0.05, threshold=200):
    """The separate sounds in the capture from sample start on, as their peak
    amplitudes: runs of 10 ms blocks louder than threshold, joined across
    quieter stretches shorter than gap."""
    block = int(sound.rate * sound.channels * 0.01)
    found, peak, quiet = [], None, 0
    for i in range(start, len(sound.samples) - block + 1, block):
        chunk = sound.samples[i:i + block]
        level = max(abs(s - 0x8000) for s in chunk)
        if level > threshold:
            peak = max(peak or 0, level)
            quiet = 0
        elif peak is not None:
            quiet += 0.01
            if quiet >= gap:
                found.append(peak)
                peak = None
    if peak is not None:
        found.append(peak)
    return found


class GraphicsSettingsTest(unittest.TestCase):
    def test_each_mode_entry_gives_a_working_mode_and_the_same_main_menu(self):
        with harness.Run() as game:
            game.to_main_menu()
            before = outside(game.grab(), MENU_BOX)
            # Ending on 24 bits in a window and coming back to it from full screen
            # covers both changes of depth in both kinds.
            for entry in (1, 2, 3, 0, 1):
                with self.subTest(GFX_ENTRIES[entry]):
                    game.pick(GFX_SETTINGS)
                    self.assertEqual(wait_settings(game, GFX_ENTRIES), 0)
                    pressed = pick_setting(game, GFX_ENTRIES, entry)
                    kind = "windowed" if entry in (0, 1) else "fullscreen"
                    found = game.wait(lambda: picture_window(game), 10, "the new mode's window")
                    self.assertEqual(found[0], kind)
                    # No message box waits for a press: the menu is back by itself.
                    self.assertEqual(game.wait_menu(), 0)
                    self.assertLess(time.monotonic() - pressed, 5.0)
                    after = game.grab()
                    self.assertEqual(outside(after, MENU_BOX), before,
                                     "background drawn in the right colours")
            # In the 24-bit window the game's sprites, loaded at 32 bits, draw
            # with their colours and masks: no magenta anywhere.
            game.pick(PLAY)
            game.wait(lambda: game.probe([(200, 300)]) != game.probe([(300, 200)]), 10,
                      "the game screen")
            time.sleep(1.5)
            shot = game.grab()
            self.assertNotIn((255, 0, 255), shot.colours(0, 0, 640, 480))
            game.press("Escape")
            self.assertEqual(game.wait_exit(10), 0)
            self.assertEqual(game.stderr_lines(), [])

    def test_help_and_back_then_cancel(self):
        with harness.Run() as game:
            game.to_main_menu()
            game.pick(GFX_SETTINGS)
            wait_settings(game, GFX_ENTRIES)
            window = game.window
            pick_setting(game, GFX_ENTRIES, HELP)
            game.wait_page()
            game.press()
            game.wait_page_closed()
            self.assertEqual(wait_settings(game, GFX_ENTRIES), 0, "back, highlight on the first")
            pick_setting(game, GFX_ENTRIES, CANCEL)
            self.assertEqual(game.wait_menu(), 0)
            self.assertEqual(game.window, window)
            self.assertEqual(game.find_window(), window, "the mode was left alone")
            game.pick(QUIT)
            self.assertEqual(game.wait_exit(10), 0)


class SoundSettingsTest(unittest.TestCase):
    def test_effects_full_medium_off(self):
        # No music, so the capture holds the feedback sounds alone.
        setup = lambda home: home.write_settings("sound = 128\nmidi = 0\n")
        with harness.Run(home_setup=setup) as game:
            game.to_main_menu()
            game.pick(SOUND_SETTINGS)
            wait_settings(game, SOUND_ENTRIES)
            start = captured(game)
            for entry in (FX_FULL, FX_MEDIUM, FX_OFF):
                pick_setting(game, SOUND_ENTRIES, entry)
                time.sleep(1.0)
            pick_setting(game, SOUND_ENTRIES, RETURN)
            game.wait_menu()
            game.pick(QUIT)
            self.assertEqual(game.wait_exit(10), 0)
            heard = bursts(game.sound(), start)
            self.assertEqual(game.home.settings(), {"sound": "0", "midi": "0"})
        self.assertEqual(len(heard), 2, "full and medium heard, off silent: %s" % heard)
        full, medium = heard
        self.assertGreater(full, 2000, "full is loud")
        self.assertAlmostEqual(medium / full, 128 / 255, delta=0.08,
                               msg="medium at half the amplitude: %s" % heard)

    def test_music_off_stops_it_and_the_choice_is_kept_for_the_next_start(self):
        with harness.Run() as game:
            game.to_main_menu()
            game.pick(SOUND_SETTINGS)
            wait_settings(game, SOUND_ENTRIES)
            playing = captured(game)
            time.sleep(1.0)
            pick_setting(game, SOUND_ENTRIES, MUSIC_OFF)
            pick_setting(game, SOUND_ENTRIES, FX_FULL)
            pick_setting(game, SOUND_ENTRIES, RETURN)
            game.wait_menu()
            time.sleep(0.5)
            stopped = captured(game)
            time.sleep(1.5)
            sound = game.sound()
            self.assertTrue(bursts(sound, playing)[0] > 1000, "the music played before")
            self.assertEqual(bursts(sound, stopped), [], "no music after Return")
            game.pick(QUIT)
            self.assertEqual(game.wait_exit(10), 0)
            with open(game.home.settings_path) as f:
                kept = f.read()
            self.assertEqual(game.home.settings(), {"sound": "255", "midi": "0"})

        # The next start reads them back: no title or menu music, and both
        # values written again unchanged.
        with harness.Run(home_setup=lambda home: home.write_settings(kept)) as game:
            game.to_main_menu()
            time.sleep(1.0)
            game.pick(QUIT)
            self.assertEqual(game.wait_exit(10), 0)
            self.assertLessEqual(game.sound().peak(), 16, "no music")
            self.assertEqual(game.home.settings(), {"sound": "255", "midi": "0"})


if __name__ == "__main__":
    harness.main()

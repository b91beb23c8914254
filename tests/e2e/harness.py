"""Runs the real game as a player would, for the end-to-end tests, the
screenshot gallery and the benchmarks.

Every run gets a private X server (Xvfb) and a fresh temporary HOME whose
.asoundrc sends everything the game plays into a WAV file. Keys are pressed
with xdotool and held for 80 ms, the screen is read with ImageMagick's import
and, where speed matters, with the small X helper from tools/. Every wait has
a timeout, and every process started here is stopped again on the way out.

Where things are comes from the environment (set by the test registration):
ORBITPUB_GAME_DIR (the folder with the program and its data files) and
ORBITPUB_XHELPER (the X helper). On a failed wait the current screen is saved
into ORBITPUB_E2E_ARTIFACTS (default: the system's temporary folder).
"""

import array
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

TITLE = "Gurk and Tamm at the Orbit Pub"
WIDTH, HEIGHT = 640, 480
KEY_HOLD = 0.08  # a shorter press can fall between two polls of the game

# --- what the screens look like, at pixels that never move -----------------

# The main menu: frame at (255, 150), 162 x 178, seven rows 23 pixels apart,
# entry boxes from x 270 to 402, each 15 pixels high.
MENU_X, MENU_Y, MENU_W, MENU_H = 255, 150, 162, 178
MENU_ROWS = 7
ROW_TOP, ROW_PITCH, ROW_HEIGHT = 160, 23, 15
BOX_LEFT, BOX_RIGHT = 270, 402
MENU_ENTRIES = ["Play", "Help", "About", "Song & Music", "GFX Settings",
                "Sound Settings", "Quit"]

FRAME = (140, 140, 140)
FRAME_LIGHT, FRAME_DARK = (197, 197, 197), (70, 70, 70)
PLAIN = (134, 134, 134)
PLAIN_LIGHT, PLAIN_DARK = (194, 194, 194), (67, 67, 67)
SELECTED = (180, 0, 0)
SELECTED_LIGHT, SELECTED_DARK = (217, 127, 127), (90, 0, 0)
PLAIN_TEXT, SELECTED_TEXT = (70, 40, 40), (0, 0, 0)


class Menu:
    """Where a one-key menu stands and what it offers: its frame's top-left
    corner and its entries. Every menu draws its rows alike: 23 pixels apart
    from 10 below the frame's top, entry boxes from 15 right of its left."""

    def __init__(self, x, y, entries):
        self.x, self.y, self.entries = x, y, entries

    def probes(self):
        """A pixel inside each entry box, left of any text; then the frame."""
        return [(self.x + 18, self.y + 17 + r * ROW_PITCH) for r in range(len(self.entries))] + \
            [(self.x + 1, self.y + 1)]


MAIN_MENU = Menu(MENU_X, MENU_Y, MENU_ENTRIES)


def row_top(row):
    return ROW_TOP + row * ROW_PITCH


# An information page: a box at (112, 64), 424 x 312, filled light grey with
# a black edge; inside it the text box at (120, 72), 408 x 264, and the "ok"
# button at (312, 344), 40 x 16.
PAGE_X, PAGE_Y, PAGE_W, PAGE_H = 112, 64, 424, 312
PAGE_GREY = (170, 170, 170)
PAGE_TEXT_BOX = (120, 72, 408, 264)
PAGE_PROBES = [  # grey margins of the box, clear of the text box and button
    (113, 65), (116, 200), (531, 200), (534, 374), (200, 340), (200, 368), (450, 368)]


# --- small utilities ----------------------------------------------------------

class Timeout(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.02):
    """Polls condition() until it returns something true and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def tool_paths():
    """The game folder and the X helper, from the environment."""
    game_dir = os.environ.get("ORBITPUB_GAME_DIR")
    xhelper = os.environ.get("ORBITPUB_XHELPER")
    if not game_dir or not xhelper:
        sys.exit("set ORBITPUB_GAME_DIR and ORBITPUB_XHELPER (ctest does)")
    return game_dir, xhelper


def stop_process(proc, grace=3.0):
    """Ends a process we started: politely first, then for sure."""
    if proc.poll() is not None:
        return proc.returncode
    proc.send_signal(signal.SIGTERM)
    try:
        return proc.wait(grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        return proc.wait()


class Image:
    """A grabbed picture of the game window: 8-bit RGB rows."""

    def __init__(self, data, width=WIDTH, height=HEIGHT):
        if len(data) != width * height * 3:
            raise ValueError("grab of %d bytes, expected %d x %d RGB" % (len(data), width, height))
        self.data, self.width, self.height = data, width, height

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, x, y, w, h):
        """The raw bytes of a rectangle, for comparing two pictures."""
        rows = []
        for yy in range(y, y + h):
            i = (yy * self.width + x) * 3
            rows.append(self.data[i:i + w * 3])
        return b"".join(rows)

    def save_png(self, path):
        """Writes the picture as a PNG without time stamps."""
        r = subprocess.run(["convert", "-size", "%dx%d" % (self.width, self.height),
                            "-depth", "8", "rgb:-", "-strip",
                            "-define", "png:exclude-chunks=date,time", path],
                           input=self.data, capture_output=True, timeout=30)
        if r.returncode != 0:
            raise AssertionError("convert failed: %s" % r.stderr.decode(errors="replace"))

    def colours(self, x, y, w, h):
        """The set of colours inside a rectangle."""
        raw = self.region(x, y, w, h)
        return {tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)}


class Sound:
    """The sound the game played, as captured by ALSA's file device.

    The samples are unsigned 16-bit although the header says signed, so
    silence is 0x8000. The file runs faster than real time: good for levels,
    useless for timing."""

    def __init__(self, path):
        self.path = path
        self.channels, self.rate = 2, 44100
        self.samples = array.array("H")
        if not os.path.exists(path):
            return
        with open(path, "rb") as f:
            data = f.read()
        pos = 12
        while pos + 8 <= len(data):
            tag, size = data[pos:pos + 4], int.from_bytes(data[pos + 4:pos + 8], "little")
            if tag == b"fmt ":
                self.channels = int.from_bytes(data[pos + 10:pos + 12], "little")
                self.rate = int.from_bytes(data[pos + 12:pos + 16], "little")
            if tag == b"data":
                # The size may still be a placeholder while the game runs.
                body = data[pos + 8:]
                self.samples.frombytes(body[:len(body) // 2 * 2])
                if sys.byteorder != "little":
                    self.samples.byteswap()
                break
            pos += 8 + size

    def seconds(self):
        return len(self.samples) / float(self.channels * self.rate)

    def block_levels(self, block_seconds=0.1):
        """RMS level of each block, around the 0x8000 centre."""
        n = max(1, int(self.rate * self.channels * block_seconds))
        levels = []
        for start in range(0, len(self.samples) - n + 1, n):
            block = self.samples[start:start + n]
            total = sum((s - 0x8000) ** 2 for s in block)
            levels.append((total / n) ** 0.5)
        return levels

    def loud_seconds(self, threshold=300.0):
        """How many seconds of the capture are louder than threshold (RMS)."""
        return sum(1 for level in self.block_levels() if level > threshold) * 0.1

    def peak(self):
        return max((abs(s - 0x8000) for s in self.samples), default=0)


# --- the private X server -----------------------------------------------------

class XServer:
    """A private Xvfb on a free display number, started with -displayfd.
    A server that dies at once (another one took the number at the same
    moment) is started again."""

    def __init__(self, attempts=3):
        for _ in range(attempts):
            if self._start():
                return
        raise RuntimeError("Xvfb did not start")

    def _start(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        self.display = ":" + number
        if number and self._accepts(number):
            return True
        stop_process(self.proc)
        return False

    def _accepts(self, number, timeout=10):
        """True once a client can connect to the server's socket."""
        path = "/tmp/.X11-unix/X" + number
        deadline = time.monotonic() + timeout
        while self.proc.poll() is None and time.monotonic() < deadline:
            with socket.socket(socket.AF_UNIX) as s:
                try:
                    s.connect(path)
                    return True
                except OSError:
                    time.sleep(0.02)
        return False

    def close(self):
        stop_process(self.proc)


# --- the player's home ----------------------------------------------------------

class Home:
    """A temporary HOME with a sound catcher (unless catch_sound is false:
    then the game gets the machine's own sound device, if any); the settings
    file lives under $XDG_CONFIG_HOME when xdg is given (a path inside the
    home), else under ~/.config."""

    def __init__(self, xdg=None, catch_sound=True):
        self.dir = tempfile.mkdtemp(prefix="orbitpub-home-")
        self.xdg = os.path.join(self.dir, xdg) if xdg else None
        self.wav = os.path.join(self.dir, "sound.wav")
        if catch_sound:
            with open(os.path.join(self.dir, ".asoundrc"), "w") as f:
                f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "wav" }\n'
                        % self.wav)

    @property
    def config_folder(self):
        return os.path.join(self.xdg or os.path.join(self.dir, ".config"), "orbitpub")

    @property
    def settings_path(self):
        return os.path.join(self.config_folder, "orbitpub.cfg")

    def write_settings(self, text):
        os.makedirs(self.config_folder, exist_ok=True)
        mode = "wb" if isinstance(text, bytes) else "w"
        with open(self.settings_path, mode) as f:
            f.write(text)

    def settings(self):
        """The keys of the default section of the settings file."""
        values = {}
        with open(self.settings_path, errors="replace") as f:
            for line in f:
                line = line.strip()
                if line.startswith("["):
                    break
                if "=" in line and not line.startswith("#"):
                    key, value = line.split("=", 1)
                    values[key.strip()] = value.strip()
        return values

    def env(self, display):
        env = {k: v for k, v in os.environ.items() if k != "XDG_CONFIG_HOME"}
        env["HOME"] = self.dir
        if display is None:
            env.pop("DISPLAY", None)
        else:
            env["DISPLAY"] = display
        if self.xdg:
            env["XDG_CONFIG_HOME"] = self.xdg
        return env

    def close(self):
        shutil.rmtree(self.dir, ignore_errors=True)


# --- the game ---------------------------------------------------------------------

# Lines that the libraries print on their own (ALSA looking for a sound card,
# Allegro reporting a signal), not the game.
LIBRARY_NOISE = ("ALSA lib ", "Shutting down Allegro")
# What the game says when the library's start-up failed, and how often a run
# launches it before giving up.
LIBRARY_START_FAILURE = "the game library cannot start"
LAUNCH_ATTEMPTS = 3


class Game:
    """One run of the program, with the means to play it."""

    def __init__(self, game_dir, xhelper, display, home, cwd=None):
        self.game_dir, self.xhelper, self.display, self.home = game_dir, xhelper, display, home
        self.cwd = cwd or game_dir
        self.env = home.env(display)
        self.window = None
        self.proc = None
        self.started = None
        self.exited = None
        self.startup_pages = None
        self.launches = 0

    def start(self):
        self.err_path = os.path.join(self.home.dir, "stderr.txt")
        self.out_path = os.path.join(self.home.dir, "stdout.txt")
        self.launches += 1
        with open(self.out_path, "wb") as out, open(self.err_path, "wb") as err:
            self.started = time.monotonic()
            self.proc = subprocess.Popen([os.path.join(self.game_dir, "orbitpub")],
                                         cwd=self.cwd, env=self.env, stdin=subprocess.DEVNULL,
                                         stdout=out, stderr=err)
        return self

    def relaunched_after_library_failure(self):
        """Allegro's start-up on X fails now and then on a loaded machine
        (a bare Allegro program too: a few runs in a hundred with both cores
        busy), and the game then says the library cannot start. A player
        starts again; so do we, a few times, and say so."""
        if self.running() or self.launches >= LAUNCH_ATTEMPTS:
            return False
        if not any(LIBRARY_START_FAILURE in line for line in self.stderr_lines()):
            return False
        sys.stderr.write("note: the game library did not start (launch %d); launching again\n"
                         % self.launches)
        self.start()
        return True

    # process

    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout):
        """The exit status; fails the test when the program does not end."""
        try:
            status = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout("the game did not end within %.1f s" % timeout)
        self.exited = time.monotonic()
        if self.relaunched_after_library_failure():
            return self.wait_exit(timeout)
        return status

    def stderr_lines(self):
        """What the game itself wrote on stderr, one entry per line."""
        with open(self.err_path, errors="replace") as f:
            return [l.rstrip("\n") for l in f
                    if l.strip() and not l.startswith(LIBRARY_NOISE)]

    def stop(self):
        if self.proc:
            stop_process(self.proc)

    def sound(self):
        return Sound(self.home.wav)

    # X

    def _x(self, args, timeout=10):
        env = dict(self.env, DISPLAY=self.display)
        return subprocess.run(args, env=env, capture_output=True, timeout=timeout)

    def find_window(self, timeout=20):
        """Waits for the game's window; moves the pointer onto it so that the
        keys go there."""
        deadline = time.monotonic() + timeout
        while True:
            r = self._x([self.xhelper, "find", TITLE, "500"])
            if r.returncode == 0:
                break
            if not self.running() and not self.relaunched_after_library_failure():
                raise AssertionError("the game ended with status %s before its window showed: %s"
                                     % (self.proc.returncode, self.stderr_lines()))
            if time.monotonic() > deadline:
                raise Timeout("no window titled %r within %.0f s (helper status %d %s)" % (
                    TITLE, timeout, r.returncode, r.stderr.decode(errors="replace").strip()))
        self.window = r.stdout.decode().strip()
        self._x(["xdotool", "mousemove", "320", "240"])
        return self.window

    def probe(self, points):
        """Colours at a few window pixels, fast; None while they cannot be read."""
        args = [self.xhelper, "probe", self.window]
        for x, y in points:
            args += [str(x), str(y)]
        r = self._x(args)
        if r.returncode != 0:
            return None
        return [tuple(bytes.fromhex(line)) for line in r.stdout.decode().split()]

    def grab(self):
        """The whole window as an Image."""
        r = self._x(["import", "-window", self.window, "-depth", "8", "rgb:-"], 30)
        if r.returncode != 0:
            raise AssertionError("import failed: %s" % r.stderr.decode(errors="replace"))
        return Image(r.stdout)

    def screenshot(self, path):
        """A PNG of the window, without time stamps (the same screen gives
        the same file)."""
        self.grab().save_png(path)

    def key_down(self, key="space"):
        self._x(["xdotool", "keydown", key])

    def key_up(self, key="space"):
        self._x(["xdotool", "keyup", key])

    def press(self, key="space"):
        """One press as a player makes it; returns when the key went down."""
        self.key_down(key)
        pressed = time.monotonic()
        time.sleep(KEY_HOLD)
        self.key_up(key)
        return pressed

    def close_window(self):
        """What a click on the window's close button sends."""
        self._x([self.xhelper, "close", self.window])

    def wait(self, condition, timeout, what, interval=0.02):
        """wait_until, but a game that dies or a timeout says so and keeps the
        screen for a look."""
        def check():
            if not self.running():
                raise AssertionError("the game ended (status %s) while waiting for %s; stderr: %s"
                                     % (self.proc.returncode, what, self.stderr_lines()))
            return condition()
        try:
            return wait_until(check, timeout, what, interval)
        except Timeout as e:
            shot = self.save_failure_shot(what)
            raise Timeout("%s%s" % (e, "; screen saved in " + shot if shot else ""))

    def save_failure_shot(self, what):
        folder = os.environ.get("ORBITPUB_E2E_ARTIFACTS", tempfile.gettempdir())
        name = "orbitpub-fail-%d-%s.png" % (os.getpid(), "".join(
            c if c.isalnum() else "-" for c in what)[:40])
        path = os.path.join(folder, name)
        try:
            os.makedirs(folder, exist_ok=True)
            self.screenshot(path)
            return path
        except (AssertionError, OSError, subprocess.TimeoutExpired):
            return None

    # screens

    def wait_picture(self, timeout=10):
        """Waits until the window shows a picture (more than a few colours,
        not the blank window) and returns it."""
        def picture():
            shot = self.grab()
            return shot if len(shot.colours(0, 0, WIDTH, HEIGHT)) > 16 else None
        return self.wait(picture, timeout, "a picture in the window")

    def menu_row(self, menu=MAIN_MENU):
        """The highlighted row of the menu, or None when the menu is not
        (completely) on the screen."""
        colours = self.probe(menu.probes())
        if not colours or colours[-1] != FRAME:
            return None
        rows = colours[:-1]
        if rows.count(SELECTED) != 1 or rows.count(PLAIN) != len(rows) - 1:
            return None
        return rows.index(SELECTED)

    def page_shown(self):
        colours = self.probe(PAGE_PROBES)
        return bool(colours) and all(c == PAGE_GREY for c in colours)

    def page_text(self):
        """The text box of the page on the screen, to tell two pages apart."""
        return self.grab().region(*PAGE_TEXT_BOX)

    def wait_page(self, timeout=20, other_than=None):
        """Waits for an information page (one whose text differs from
        other_than, when given) and returns its text box."""
        def shown():
            if not self.page_shown():
                return None
            text = self.page_text()
            return text if text != other_than and self.page_shown() else None
        return self.wait(shown, timeout, "an information page" +
                         (" with another text" if other_than else ""))

    def wait_page_closed(self, timeout=10):
        self.wait(lambda: not self.page_shown(), timeout, "the page to close")

    def wait_menu(self, timeout=20, menu=MAIN_MENU):
        """Waits for the menu; returns the highlighted row."""
        seen = []

        def shown():
            row = self.menu_row(menu)
            seen.append(row)
            return row is not None
        self.wait(shown, timeout, "the %r menu" % menu.entries[0])
        return seen[-1]

    def to_title(self):
        """From launch to the title with its overlays, the way a player goes:
        both help pages closed with space. Keeps the two pages' texts in
        startup_pages."""
        if not self.window:
            self.find_window()
        first = self.wait_page(timeout=30)
        self.press()
        second = self.wait_page(other_than=first)
        self.press()
        self.wait_page_closed()
        self.startup_pages = (first, second)

    def to_main_menu(self):
        """From launch to the main menu: the title is left with space.
        Returns the highlighted row."""
        self.to_title()
        self.press()
        return self.wait_menu()

    def pick(self, index, timeout=15, menu=MAIN_MENU):
        """Presses space while the menu highlights the given entry, right
        after the highlight arrived there; returns the time of the press."""
        last = [None]

        def arrived():
            row = self.menu_row(menu)
            fresh = row == index and last[0] != index
            last[0] = row
            return fresh
        self.wait(arrived, timeout, "the highlight on %r" % menu.entries[index], interval=0.01)
        return self.press()


class Run:
    """A private X server, a fresh home and the game, stopped and removed on
    the way out: `with Run() as game: ...`."""

    def __init__(self, xdg=None, cwd=None, display=True, start=True, home_setup=None,
                 catch_sound=True):
        self.game_dir, self.xhelper = tool_paths()
        self.xdg, self.cwd, self.want_display, self.want_start = xdg, cwd, display, start
        self.home_setup, self.catch_sound = home_setup, catch_sound
        self.server = self.home = self.game = None

    def __enter__(self):
        try:
            self.home = Home(self.xdg, self.catch_sound)
            if self.home_setup:
                self.home_setup(self.home)
            if self.want_display:
                self.server = XServer()
            display = self.server.display if self.server else None
            self.game = Game(self.game_dir, self.xhelper, display, self.home, self.cwd)
            if self.want_start:
                self.game.start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self.game

    def __exit__(self, *exc):
        if self.game:
            self.game.stop()
        if self.server:
            self.server.close()
        if self.home:
            self.home.close()
        return False


def use_build(build):
    """Points the harness at a CMake build folder's game and X helper, for
    the scripts run by hand (ctest sets the two variables itself)."""
    build = os.path.abspath(build)
    os.environ["ORBITPUB_GAME_DIR"] = os.path.join(build, "game")
    os.environ["ORBITPUB_XHELPER"] = os.path.join(build, "tools", "xhelper")


def main():
    """Runs the unittest cases of the calling test file."""
    unittest.main(module="__main__", verbosity=2)

"""Makes the screenshot gallery in docs/screenshots/ by playing the real game
under a private X server, one fresh run per picture.

    python3 tests/e2e/gallery.py --build build [--only NAME ...]

A picture is one line in SHOTS: its file name and how a player gets there
from launch (a function of the running game, see harness.Game). A route that
returns a picture (a harness.Image caught during an animation) gives that
picture; otherwise the screen is taken once the route is done. The burst and
the removal depend on chance, so their routes may fail: a failed route is
played again in a fresh run.
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import gamescreens  # noqa: E402
import songscreens  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "docs", "screenshots")


def settle(seconds=0.3):
    """Lets the screen finish drawing after the awaited picture appeared."""
    time.sleep(seconds)


SHOTS = [
    ("title", lambda game: game.to_title()),
    ("help", lambda game: (game.find_window(), game.wait_page(timeout=30))),
    ("main-menu", lambda game: game.to_main_menu()),
    ("about", lambda game: (game.to_main_menu(), game.pick(2), game.wait_page())),
    ("song-menu", songscreens.to_song_menu),
    ("karaoke", lambda game: (songscreens.to_karaoke(game), time.sleep(14))),
    ("mp3", songscreens.to_mp3),
    ("level", gamescreens.start_level),
    ("field-after-shots", lambda game: (gamescreens.start_level(game),
                                        [gamescreens.shoot(game) for _ in range(5)])),
    ("burst", gamescreens.burst),
    ("removal", gamescreens.removal),
]
ATTEMPTS = 3


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the CMake build folder")
    parser.add_argument("--only", nargs="*", help="make only these pictures")
    parser.add_argument("--out", default=OUT, help="where the pictures go")
    args = parser.parse_args()

    harness.use_build(args.build)
    os.makedirs(args.out, exist_ok=True)
    names = [name for name, _ in SHOTS]
    for name in args.only or []:
        if name not in names:
            sys.exit("no picture named %r; there are: %s" % (name, ", ".join(names)))

    for name, route in SHOTS:
        if args.only and name not in args.only:
            continue
        path = os.path.join(args.out, name + ".png")
        for attempt in range(1, ATTEMPTS + 1):
            try:
                with harness.Run() as game:
                    picture = route(game)
                    if isinstance(picture, harness.Image):
                        picture.save_png(path)
                    else:
                        settle()
                        game.screenshot(path)
                break
            except AssertionError as e:
                if attempt == ATTEMPTS:
                    raise
                print("%s: %s; again" % (name, e), file=sys.stderr)
        print(os.path.relpath(path))


if __name__ == "__main__":
    main()

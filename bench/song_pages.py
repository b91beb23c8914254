"""The share of one core the whole program takes on the song menu's two
pages: the MP3 page while the recording streams, and a karaoke page while
its song plays and the lyrics scroll; the median of several runs of the real
program under a private X server.

    python3 bench/song_pages.py --build build [--runs 5] [--interval 5]

Each in two set-ups: with the sound going into ALSA's file device (whose null
sink runs about 2.3 times faster than real time, so decoding and mixing cost
more than with a sound card: an upper bound), and with no sound device (the
MP3 page then plays nothing; the karaoke's MIDI player still runs the song).
"""

import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
sys.path.insert(0, HERE)
import harness  # noqa: E402
import songscreens  # noqa: E402
from game_process import arguments, core_share  # noqa: E402

GOALS = {"mp3 page cpu": 5.0, "karaoke page cpu": 15.0}


def measure_run(catch_sound, interval):
    figures = {}
    with harness.Run(catch_sound=catch_sound) as game:
        songscreens.to_song_menu(game)
        songscreens.pick(game, songscreens.LISTEN)
        game.wait(lambda: songscreens.mp3_shown(game), 10, "the MP3 page")
        time.sleep(1.0)
        figures["mp3 page cpu"] = core_share(game, interval)
        game.press()
        songscreens.wait_menu(game)
        songscreens.pick(game, songscreens.KARAOKE_FIRST)
        game.wait(lambda: songscreens.karaoke_shown(game), 10, "the karaoke page")
        time.sleep(1.0)
        figures["karaoke page cpu"] = core_share(game, interval)
    return figures


def main():
    args = arguments(__doc__)

    print("%d runs per set-up, core shares over %.0f s" % (args.runs, args.interval))
    for label, catch_sound in (("sound into the file device", True),
                               ("no sound device", False)):
        runs = [measure_run(catch_sound, args.interval) for _ in range(args.runs)]
        print("\n%s" % label)
        for name, goal in GOALS.items():
            values = [run[name] for run in runs]
            median = statistics.median(values)
            print("  %-16s median %6.2f %%  (min %.2f, max %.2f)  goal < %g %%: %s" % (
                name, median, min(values), max(values), goal,
                "met" if median < goal else "MISSED"))


if __name__ == "__main__":
    main()

"""Process-level benchmarks of the game: start-up time, memory and the share
of a core the waiting screens take, each the median of several runs of the
real program under a private X server.

    python3 bench/game_process.py --build build [--runs 5] [--interval 5]

Measured per run:
  title      seconds from launching the program to the first title frame on
             the screen (the X helper polls pixels of the title picture)
  memory     peak resident memory (VmHWM) of a run to the main menu, MiB
  menu cpu   share of one core while the main menu's highlight walks
  page cpu   share of one core while the help page ("Help") waits for a press
Each in two set-ups: with the music playing into ALSA's file device (the
null sink runs about 2.3 times faster than real time, so the mixing costs
more than on a sound card: an upper bound), and with no sound device.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

GOALS = {"title": ("s", 0.3), "memory": ("MiB", 40.0), "menu cpu": ("%", 3.0),
         "page cpu": ("%", 3.0)}
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
REFERENCE_POINTS = 16  # pixels of the title picture the watcher compares


def cpu_seconds(pid):
    """User plus system time of the process, all threads, in seconds."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def peak_resident_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    raise RuntimeError("no VmHWM for process %d" % pid)


def core_share(game, seconds):
    """Percent of one core the game takes over the next seconds."""
    pid = game.proc.pid
    cpu0, t0 = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    cpu1, t1 = cpu_seconds(pid), time.monotonic()
    return 100.0 * (cpu1 - cpu0) / (t1 - t0)


def title_reference():
    """Pixels of the title picture: a grid over the screen around the first
    help page, which opens over the title and leaves the rest of it shown."""
    with harness.Run() as game:
        game.find_window()
        game.wait_page(timeout=30)
        shot = game.grab()
    points = []
    for y in range(8, harness.HEIGHT, 24):
        for x in range(8, harness.WIDTH, 24):
            inside_page = (harness.PAGE_X <= x <= harness.PAGE_X + harness.PAGE_W and
                           harness.PAGE_Y <= y <= harness.PAGE_Y + harness.PAGE_H)
            if not inside_page:
                points.append((x, y, "%02x%02x%02x" % shot.pixel(x, y)))
    # A few, spread over the screen: each is one round trip to the X server
    # per poll, and the poll should be quick next to a millisecond.
    step = max(1, len(points) // REFERENCE_POINTS)
    return points[::step][:REFERENCE_POINTS]


def measure_run(reference, catch_sound, interval):
    figures = {}
    with harness.Run(start=False, catch_sound=catch_sound) as game:
        args = [game.xhelper, "wait", harness.TITLE, "30000"]
        for x, y, colour in reference:
            args += [str(x), str(y), colour]
        watcher = subprocess.Popen(args, env=dict(game.env), stdout=subprocess.PIPE)
        time.sleep(0.3)  # the watcher is connected and looking before the launch
        game.start()
        out, _ = watcher.communicate(timeout=40)
        if watcher.returncode != 0:
            raise RuntimeError("the title picture did not show")
        figures["title"] = float(out) - game.started

        game.to_main_menu()
        figures["memory"] = peak_resident_mib(game.proc.pid)
        time.sleep(0.5)
        figures["menu cpu"] = core_share(game, interval)
        game.pick(1)
        game.wait_page()
        time.sleep(0.5)
        figures["page cpu"] = core_share(game, interval)
    return figures


def arguments(doc):
    """The command line of a benchmark script (its usage is the first line of
    `doc`); points the harness at the build."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--build", required=True, help="the CMake build folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--interval", type=float, default=5.0,
                        help="seconds over which a core share is measured")
    args = parser.parse_args()
    harness.use_build(args.build)
    return args


def main():
    args = arguments(__doc__)

    reference = title_reference()
    print("%d runs per set-up, core shares over %.0f s; goals: title < 0.3 s, "
          "memory < 40 MiB, cpu < 3 %%" % (args.runs, args.interval))
    for label, catch_sound in (("music into the file device", True),
                               ("no sound device", False)):
        runs = [measure_run(reference, catch_sound, args.interval) for _ in range(args.runs)]
        print("\n%s" % label)
        for name, (unit, goal) in GOALS.items():
            values = [run[name] for run in runs]
            median = statistics.median(values)
            print("  %-9s median %7.3f %-3s  (min %.3f, max %.3f)  goal < %g: %s" % (
                name, median, unit, min(values), max(values), goal,
                "met" if median < goal else "MISSED"))


if __name__ == "__main__":
    main()

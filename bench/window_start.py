#!/usr/bin/env python3
"""Start time of the Mardex window against a bare Qt main window of the same
size, both run to their first paint under the offscreen platform, side by
side (alternating), median of 7 runs each. A third program, the same window
with one label, shows the least a window with any text in it pays (the
font configuration and the first glyphs), for scale.

    python3 bench/window_start.py [BIN_DIR]     (default build/bin)
    python3 bench/window_start.py --instructions [BIN_DIR]

With --instructions each program runs once under valgrind's callgrind and the
script prints the instructions executed (all threads) and their ratios: a
figure the load of a shared machine does not move, unlike the times.

Figures on the shared 2-core development machine (load 4-5), medians of
41 alternating runs of each program, December 2026:
                         wall ms  cpu ms   ratio wall / cpu
    bare Qt window          21.3    13.3
    Qt window + label       32.1    20.0   1.51 / 1.50
    mardex before           45.8    30.1   2.15 / 2.26
    mardex after            42.9    28.3   2.01 / 2.13
One label alone costs 1.5 times the bare window: about 4 ms of CPU reading
the font configuration, 2-3 ms more for the font database and the first
glyphs, none of which the bare window pays since it draws no text. Before,
mardex also spent 2.5 ms decoding the style's PNG icons (30 files, most for
overflow buttons never shown) and the group box frame after loading every
image-format plug-in; now none is read before the first paint, and the font
configuration is read on a second thread while the application sets up
(wall time only). Still left: 0.7 ms loading Qt PrintSupport and Qt Svg at
link time (printing and SVG export are their only users), the rest building
and painting the widgets.

Instructions executed (--instructions, all threads, December 2026):
    bare Qt window 17.6 M; Qt window + label 60.0 M (3.4 times the bare
    window: 27.5 M of them reading the font configuration, FcInit);
    mardex 87.5 M: 4.97 times the bare window, 1.46 times the window
    with one label. Of mardex's 87.5 M, 27.7 M are the font configuration
    (on its own thread), 18.0 M the loader's relocations (14.8 M in the
    bare window), 13.4 M the tool and status bars (where the first font
    is loaded), 9.8 M the grid and tabs, the rest painting.
"""
import os
import re
import subprocess
import sys
import tempfile

from timing import alternate, report

RUNS = 7
WIDTH, HEIGHT = 860, 600  # the Mardex window's size at start


def instructions(cmd, env):
    """Instructions one run executes, counted by callgrind."""
    with tempfile.TemporaryDirectory() as tmp:
        out = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={tmp}/cg"] + cmd,
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    return int(re.search(r"Collected : (\d+)", out.stderr).group(1))


def count_instructions(programs, env):
    counts = {name: instructions(cmd, env) for name, cmd in programs.items()}
    for name, count in counts.items():
        print(f"instr {name:20s} {count / 1e6:8.1f} M")
    for label, yardstick in (("ratio", "bare Qt window"), ("ratio to + label", "Qt window + label")):
        print(f"instr {label:20s} {counts['mardex'] / counts[yardstick]:8.2f}")


def main():
    args = [a for a in sys.argv[1:] if a != "--instructions"]
    bin_dir = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "bin")
    mardex = os.path.join(bin_dir, "mardex")
    bare = os.path.join(bin_dir, "bare_window")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", MARDEX_EXIT_AFTER_FIRST_PAINT="1")
    # The settings the window keeps (its position) go to a scratch home.
    env["XDG_CONFIG_HOME"] = os.path.join(bin_dir, "bench-config")
    programs = {
        "mardex": [mardex],
        "bare Qt window": [bare, str(WIDTH), str(HEIGHT)],
        "Qt window + label": [bare, str(WIDTH), str(HEIGHT), "text"],
    }
    if "--instructions" in sys.argv:
        count_instructions(programs, env)
        return
    times = alternate(programs, RUNS, env)
    report(times, "mardex", {"ratio": "bare Qt window", "ratio to + label": "Qt window + label"})


if __name__ == "__main__":
    main()

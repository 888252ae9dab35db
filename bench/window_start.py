#!/usr/bin/env python3
"""Start time of the Mardex window against a bare Qt main window of the same
size, both run to their first paint under the offscreen platform, side by
side (alternating), median of 7 runs each.

    python3 bench/window_start.py [BIN_DIR]     (default build/bin)
"""
import os
import statistics
import subprocess
import sys
import time

RUNS = 7
WIDTH, HEIGHT = 860, 600  # the Mardex window's size at start


def timed(cmd, env):
    start = time.perf_counter()
    done = subprocess.run(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"{cmd[0]} failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
    return elapsed


def main():
    bin_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "build", "bin")
    mardex = os.path.join(bin_dir, "mardex")
    bare = os.path.join(bin_dir, "bare_window")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", MARDEX_EXIT_AFTER_FIRST_PAINT="1")
    # The settings the window keeps (its position) go to a scratch home.
    env["XDG_CONFIG_HOME"] = os.path.join(bin_dir, "bench-config")
    programs = {"mardex": [mardex], "bare Qt window": [bare, str(WIDTH), str(HEIGHT)]}
    for cmd in programs.values():  # warm the file cache
        timed(cmd, env)
    times = {name: [] for name in programs}
    for _ in range(RUNS):
        for name, cmd in programs.items():
            times[name].append(timed(cmd, env))
    medians = {name: statistics.median(t) for name, t in times.items()}
    for name, m in medians.items():
        print(f"{name:16s} {m * 1000:8.1f} ms (median of {RUNS})")
    print(f"ratio            {medians['mardex'] / medians['bare Qt window']:8.2f}")


if __name__ == "__main__":
    main()

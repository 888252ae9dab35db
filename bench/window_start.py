#!/usr/bin/env python3
"""Start time of the Mardex window against a bare Qt main window of the same
size, both run to their first paint, side by side (alternating), median of 7
runs each: first under the offscreen platform, then under xcb as on a desktop
(the X display set, or a private Xvfb; the session bus set, or a private
dbus-daemon). A third program, the same window with one label, shows the
least a window with any text in it pays (the font configuration and the
first glyphs), for scale.

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

Under xcb (private Xvfb and session bus, load 2-3, December 2026, five runs
of the script): wall ratio 1.05-1.47 to the bare window, CPU ratio 1.7-1.8;
at load 0-1 (four runs): wall ratio 1.05-1.38, CPU ratio 1.64-1.87.
A window shown on an X server waits for the server (mapping, the first
expose) and the session bus as long as it computes: the bare window spends
40-60 ms to its first paint there, of which about 22 ms of CPU; mardex's
font configuration thread and the rest of its set-up overlap those waits.
The wall times swing widely while other programs run. Without a session bus
Qt's D-Bus client forks at every start to autolaunch one, which no desktop
session does; the script gives the runs a bus of their own for that reason.

Instructions executed (--instructions, all threads, December 2026):
    bare Qt window 17.6 M; Qt window + label 60.0 M (3.4 times the bare
    window: 27.5 M of them reading the font configuration, FcInit);
    mardex 87.5 M: 4.97 times the bare window, 1.46 times the window
    with one label. Of mardex's 87.5 M, 27.7 M are the font configuration
    (on its own thread), 18.0 M the loader's relocations (14.8 M in the
    bare window), 13.4 M the tool and status bars (where the first font
    is loaded), 9.8 M the grid and tabs, the rest painting.
    Under xcb: bare 26.7 M, + label 69.5 M, mardex 96.5 M (3.61 / 1.39).
"""
import os
import shutil
import subprocess
import sys

from timing import alternate, instructions, report

RUNS = 7
WIDTH, HEIGHT = 860, 600  # the Mardex window's size at start


def count_instructions(programs, env):
    counts = {name: instructions(cmd, env) for name, cmd in programs.items()}
    for name, count in counts.items():
        print(f"instr {name:20s} {count / 1e6:8.1f} M")
    for label, yardstick in (("ratio", "bare Qt window"), ("ratio to + label", "Qt window + label")):
        print(f"instr {label:20s} {counts['mardex'] / counts[yardstick]:8.2f}")


def start_server(command):
    """Starts a server that announces itself on a pipe (Xvfb's display
    number, dbus-daemon's address); its first line and the process."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen([part.format(fd=write_end) for part in command], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        return announced.readline().strip(), server


def desktop_session(servers):
    """What the xcb runs need to start as on a desktop, or None without an X
    display: the display (a private Xvfb when none is set) and a session bus
    (a private one when none is set: without it Qt's D-Bus client forks to
    autolaunch one at every start, which no desktop session does)."""
    session = {}
    if os.environ.get("DISPLAY"):
        session["DISPLAY"] = os.environ["DISPLAY"]
    elif shutil.which("Xvfb"):
        number, server = start_server(["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"])
        servers.append(server)
        session["DISPLAY"] = f":{number}"
    else:
        return None
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS") and shutil.which("dbus-daemon"):
        address, server = start_server(["dbus-daemon", "--session", "--nofork", "--print-address={fd}"])
        servers.append(server)
        session["DBUS_SESSION_BUS_ADDRESS"] = address
    return session


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    bin_dir = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "bin")
    mardex = os.path.join(bin_dir, "mardex")
    bare = os.path.join(bin_dir, "bare_window")
    env = dict(os.environ, MARDEX_EXIT_AFTER_FIRST_PAINT="1")
    # The settings the window keeps (its position) go to a scratch home.
    env["XDG_CONFIG_HOME"] = os.path.join(bin_dir, "bench-config")
    programs = {
        "mardex": [mardex],
        "bare Qt window": [bare, str(WIDTH), str(HEIGHT)],
        "Qt window + label": [bare, str(WIDTH), str(HEIGHT), "text"],
    }
    servers = []
    try:
        runs = [("offscreen", {"QT_QPA_PLATFORM": "offscreen"})]
        session = desktop_session(servers)
        if session:
            runs.append((f"xcb (display {session['DISPLAY']})", dict(session, QT_QPA_PLATFORM="xcb")))
        for title, platform_env in runs:
            print(f"-- {title}")
            run_env = dict(env, **platform_env)
            if "--instructions" in sys.argv:
                count_instructions(programs, run_env)
                continue
            times = alternate(programs, RUNS, run_env)
            report(times, "mardex", {"ratio": "bare Qt window", "ratio to + label": "Qt window + label"})
    finally:
        for server in servers:
            server.terminate()
            server.wait()

if __name__ == "__main__":
    main()

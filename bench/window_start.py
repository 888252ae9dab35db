#!/usr/bin/env python3
"""Start time of the Mardex window against a bare Qt main window of the same
size, both run to their first paint, side by side (alternating), median of 7
runs each, CPU and wall time and their ratios: first under the offscreen
platform, then under xcb as on a desktop (the X display set, or a private
Xvfb; the session bus set, or a private dbus-daemon). A third program, the
same window with one label, shows what any text costs (the font
configuration and the first glyphs), for scale.

    python3 bench/window_start.py [BIN_DIR]     (default build/bin)
    python3 bench/window_start.py --instructions [BIN_DIR]

With --instructions each program runs once under valgrind's callgrind and
the script prints the instructions executed (all threads) and their ratios.
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

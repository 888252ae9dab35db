"""Side-by-side timing of whole programs for the ratio scripts in bench/."""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def timed(cmd, env=None):
    """Wall time and CPU time (user + system) of one run, in seconds."""
    start = time.perf_counter()
    child = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{' '.join(cmd)} failed ({code})")
    return elapsed, usage.ru_utime + usage.ru_stime


def alternate(programs, runs, env=None):
    """Each program run `runs` times, in turn, after one run each to warm the
    file cache; the (wall, cpu) times per program."""
    for cmd in programs.values():
        timed(cmd, env)
    times = {name: [] for name in programs}
    for _ in range(runs):
        for name, cmd in programs.items():
            times[name].append(timed(cmd, env))
    return times


def report(times, measured, yardsticks):
    """Medians of wall and CPU time per program, and the ratios of the
    measured program to each yardstick ({label: program}). On a busy machine
    the CPU times are the steadier figures."""
    for kind, index in (("wall", 0), ("cpu", 1)):
        medians = {name: statistics.median(t[index] for t in runs) for name, runs in times.items()}
        for name, m in medians.items():
            print(f"{kind:4s} {name:20s} {m * 1000:8.1f} ms (median of {len(times[name])})")
        for label, yardstick in yardsticks.items():
            print(f"{kind:4s} {label:20s} {medians[measured] / medians[yardstick]:8.2f}")


def instructions(cmd, env=None):
    """Instructions one run executes (all threads and forked processes), counted by callgrind: a
    figure the load of a shared machine does not move, unlike the times."""
    with tempfile.TemporaryDirectory() as tmp:
        out = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={tmp}/cg"] + cmd,
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    # A process the program forks is counted in a total of its own.
    return sum(int(count) for count in re.findall(r"Collected : (\d+)", out.stderr))

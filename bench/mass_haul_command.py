#!/usr/bin/env python3
"""CPU and wall time of the tool's mass-haul diagram command
(`mardex-report --haul-table T.csv --mass-haul D.pdf`, handed to
mardex-report-extras) beside `--haul-table` alone, and the same diagram
command with GDAL loaded into it as when the companion linked GDAL
(LD_PRELOAD), median of 7 alternating runs each. Also counts the libraries
each command loads (LD_DEBUG=libs): the diagram command must load no GDAL.

    python3 bench/mass_haul_command.py [BIN_DIR] [DOCUMENT.mdx]
        (default build/bin and tests/data/cases/worked_example.mdx)
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

from timing import alternate, report

here = os.path.dirname(os.path.abspath(__file__))


def loaded_libraries(cmd):
    env = dict(os.environ, LD_DEBUG="libs", QT_QPA_PLATFORM="offscreen")
    out = subprocess.run(cmd, env=env, capture_output=True, text=True).stderr
    return sorted(set(re.findall(r"calling init: (\S+)", out)))


def main():
    args = sys.argv[1:]
    bin_dir = os.path.abspath(args[0] if args else os.path.join(here, "..", "build", "bin"))
    document = os.path.abspath(args[1] if len(args) > 1 else
                               os.path.join(here, "..", "tests", "data", "cases", "worked_example.mdx"))
    tool = os.path.join(bin_dir, "mardex-report")
    gdal = sorted(glob.glob("/usr/lib/*/libgdal.so.*"))
    with tempfile.TemporaryDirectory() as tmp:
        table = ["--haul-table", os.path.join(tmp, "t.csv")]
        diagram = table + ["--mass-haul", os.path.join(tmp, "d.pdf")]
        # Each run goes through env, as the preloaded one must.
        programs = {
            "haul table alone": ["env", tool] + table + [document],
            "diagram": ["env", tool] + diagram + [document],
        }
        for name, cmd in programs.items():
            libs = loaded_libraries(cmd[1:])
            print(f"{name}: {len(libs)} libraries loaded, GDAL among them: {any('libgdal' in l for l in libs)}")
        if gdal:
            programs["diagram + GDAL"] = ["env", f"LD_PRELOAD={gdal[0]}", tool] + diagram + [document]
        times = alternate(programs, 7, dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    yardsticks = {"diagram / table": "haul table alone"}
    if gdal:
        yardsticks["diagram / with GDAL"] = "diagram + GDAL"
    report(times, "diagram", yardsticks)


if __name__ == "__main__":
    main()

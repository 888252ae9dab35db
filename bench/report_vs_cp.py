#!/usr/bin/env python3
"""`mardex-report --all-sheets` on a generated document of 26 full sheets
(26 x 1800 rows) against `cp` of the report it writes, side by side
(alternating), median of 7 runs each, and the ratio.

    python3 bench/report_vs_cp.py [BIN_DIR]     (default build/bin)

Figures on the shared 2-core build machine (Release builds, busy; CPU time
is the steadier figure, wall time swings by +-20 % from run to run):

    version                           cpu ms   cpu ratio   wall ratio
    before the data layer (e881fd3)    54-57    13.5-15     10-15
    data layer (8a6b64a)               54-57    13.3-15     9.5-17
    buffered fields and lines          50-53    11.5-13     7-11

`perf stat` task-clock, 15 runs each, interleaved: 54-57 / 55-58 / 50-53 ms.
Where the rest goes: parsing rows into the sheet model (about a third: the
cells are strings), the computation reading the cells back as numbers
(a quarter), the report lines (a fifth), page faults of the ~16 MB touched,
and, in wall time only, the atomic writer's fsync of the file and its
folder (15-40 ms here; a 20-row document takes 2 ms of CPU and 20 ms of
wall time), which `cp` does not do.
"""
import os
import random
import shutil
import sys
import tempfile

from timing import alternate, report

RUNS = 7
SHEETS, ROWS = 26, 1800


def station(value):
    whole, frac = divmod(round(value * 1000), 1000)
    return f"{whole // 100:02d}+{whole % 100:02d}.{frac:03d}"


def document_text():
    """Sheets as a designer keys them: cut and fill stretches, now and then a
    skip area, a forced balance or added volume."""
    rng = random.Random(20261207)
    lines = ["[VERSION 2002]", "[ENGLISH]", "DESIGN UNIT 4", "STP-12(3)", "C-101"]
    for sheet in range(1, SHEETS + 1):
        lines += [f"[END AREA {sheet} BL{sheet}]", "#BALANCE FACTOR", "0.9", "#MEASURED IN EMBANKMENT", " 0 ",
                  "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)"]
        value, cutting = 1000.0, True
        for r in range(ROWS):
            value += 50
            if r % 40 == 0:
                cutting = not cutting
            code = "SA" if r > 2 and r % 97 == 0 else "FB" if r > 2 and r % 211 == 0 else "-"
            a = f"{rng.uniform(0, 150):.2f}"
            cells = [station(value), code, a if cutting else "0.00", "0.00", "0.00" if cutting else a,
                     "12.50" if r % 13 == 0 else "0.00"]
            lines.append((cells[0].rjust(9) + "".join(c.rjust(12) for c in cells[1:])).strip())
    lines.append("[LAST RECORD]")
    return "\r\n".join(lines) + "\r\n"


def main():
    bin_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "build", "bin")
    tool = os.path.join(bin_dir, "mardex-report")
    cp = shutil.which("cp")
    with tempfile.TemporaryDirectory() as tmp:
        document = os.path.join(tmp, "road26.mdx")
        report_file = os.path.join(tmp, "road26.rpt")
        copy = os.path.join(tmp, "copy.rpt")
        with open(document, "w", newline="") as f:
            f.write(document_text())
        programs = {"mardex-report": [tool, "--all-sheets", "--output", report_file, document], "cp": [cp, report_file, copy]}
        times = alternate(programs, RUNS)  # its first run writes the report cp copies
        size = os.path.getsize(report_file)
    print(f"document {SHEETS} x {ROWS} rows, report {size / 1e6:.1f} MB")
    report(times, "mardex-report", {"ratio": "cp"})


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""`mardex-report --all-sheets` on a generated document of 26 full sheets
(26 x 1800 rows) against `cp` of the report it writes, side by side
(alternating), median of 7 runs each: CPU and wall time and their ratios.

    python3 bench/report_vs_cp.py [BIN_DIR]     (default build/bin)
    python3 bench/report_vs_cp.py --instructions [BIN_DIR]

With --instructions each program runs once under callgrind and the script
prints the instructions executed and their ratio, a figure the load of a
shared machine does not move (`perf stat` is not available on every
virtual CPU). CPU time is the steadier of the two times.
"""
import os
import random
import shutil
import sys
import tempfile

from timing import alternate, instructions, report

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
    args = [a for a in sys.argv[1:] if a != "--instructions"]
    bin_dir = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "bin")
    tool = os.path.join(bin_dir, "mardex-report")
    cp = shutil.which("cp")
    with tempfile.TemporaryDirectory() as tmp:
        document = os.path.join(tmp, "road26.mdx")
        report_file = os.path.join(tmp, "road26.rpt")
        copy = os.path.join(tmp, "copy.rpt")
        with open(document, "w", newline="") as f:
            f.write(document_text())
        programs = {"mardex-report": [tool, "--all-sheets", "--output", report_file, document], "cp": [cp, report_file, copy]}
        if "--instructions" in sys.argv:
            counts = {name: instructions(cmd) for name, cmd in programs.items()}  # the tool first: cp copies its report
            for name, count in counts.items():
                print(f"instr {name:20s} {count / 1e6:8.1f} M")
            print(f"instr {'ratio':20s} {counts['mardex-report'] / counts['cp']:8.2f}")
            return
        times = alternate(programs, RUNS)  # its first run writes the report cp copies
        size = os.path.getsize(report_file)
    print(f"document {SHEETS} x {ROWS} rows, report {size / 1e6:.1f} MB")
    report(times, "mardex-report", {"ratio": "cp"})


if __name__ == "__main__":
    main()

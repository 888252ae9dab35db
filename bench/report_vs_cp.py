#!/usr/bin/env python3
"""`mardex-report --all-sheets` on a generated document of 26 full sheets
(26 x 1800 rows) against `cp` of the report it writes, side by side
(alternating), median of 7 runs each, and the ratio.

    python3 bench/report_vs_cp.py [BIN_DIR]     (default build/bin)
    python3 bench/report_vs_cp.py --instructions [BIN_DIR]

With --instructions each program runs once under callgrind and the script
prints the instructions executed and their ratio (`perf stat -e
instructions:u` is not supported on the build machine's virtual CPU).

Figures on the shared 2-core build machine (Release or RelWithDebInfo
builds, busy; CPU time is the steadier figure, wall time swings by +-20 %
from run to run and more while others build):

    version                           cpu ms   cpu ratio   wall ratio   instr
    before the data layer (e881fd3)    54-57    13.5-15     10-15
    data layer (8a6b64a)               54-57    13.3-15     9.5-17
    buffered fields and lines          50-53    11.5-13     7-11      470 M
    factor field masked once per sheet                                419 M
    short masks from whole numbers,
      numbers read in one pass                                        397 M
    cells keep their number beside
      the text (no parse in ComputeSheet)                             361 M
    file read in pieces, lines split
      in place, stations read in one pass  43       11.3        8     306 M
    report written to its file in pieces
      (page faults 4.5 k -> 3.3 k)         36       9.8       7.6
    row texts moved into the sheet once    34-38    8.6-9.8   7-10    272 M
    read, computed and written one sheet
      at a time (page faults 3.3 k -> 0.66 k,
      sys 12 -> 6-7 ms, RSS 17 -> 11 MB)   26-29    7.1       7.8     272 M
    (on the step before, without the sheet-at-a-time read:)
    computed rows view the sheet's cells,
      volumes and area texts written in
      place, lines counted with memchr                                237 M
    balance-point blocks as field lines                               226 M
    one area-mask test (the reader's),
      digits two at a time, inline fields  30       7.4       7.9     225 M
      (with the reader's faster mask test: 206 M)
    both of the above (main at 400253b
      + compute16)                         22       5.5       4.3     225 M
    row reader alone (main at 400253b):
      fields split 8 bytes at a time,
      cells built once from the line,
      masks checked from their fixed end
      (reading 143 M -> 74 M)              22-23    5.6-5.8   3.2-3.8   205 M
    all three (stream16, compute16,
      rowread16)                           17.6-18  4.45-4.56 3.9-4.1   150 M
    cells17: a sheet's cells in one text
      buffer (a row line copied whole),
      lines scanned once for their ends
      and NUL, '#', '+', fields from bit
      masks of their starts and ends
      (reading 76 M -> 55 M; busy)         15-15.2  3.2-3.6   1.6-2.9   128 M
    write17: rows written straight into
      the report (no line buffer, no copy),
      stations printed from their numbers,
      zero / whole / two-decimal fields
      inline, area cells checked against
      their value, drawn lines counted by
      the writer (ComputeSheet 29 -> 19 M,
      WriteSheetReport and the line scan
      41 -> 23 M; with main at 55f4e0b,
      load ~5)                             16-21    3.8-4.6   2.1-2.6   121 M
    both (cells17 with main at 6aa387a,
      load ~2-4)                           13.4-17.5 3.2-3.6  2.3-2.8   95.8 M
    report swapping names with the old
      one (renameat2 RENAME_EXCHANGE)
      instead of a rename over it, which
      made ext4 write the new file's
      blocks out at once (rename 5.9 ms
      -> exchange and unlink 2.2 ms)       wall only
    all of this session (main at 7d56a54,
      load 1-2)                            16-18    3.6-3.7   2.7-2.9    96 M
    write18: the tool's rows written as
      they are computed (no vector of
      computed rows), the report handed to
      the file in 64 KB pieces whose pages
      are reused (page faults 683 -> 350),
      blanks written with each field, one
      row writer per mode, one range test
      per volume (computed and written
      together: 33.9 M; on main at
      609332a)                                                  91 M
    (with whole stations and one-letter
      codes shortcut, merged with main at
      0668066: page faults 310; load
      2.7-2.9, CPU swings with it)         11.5-16.6 2.9-3.8  2.2-2.8    88 M
    read18: fields from the changes of
      the blank bits (one pass, no loop
      for the usual six), usual rows
      stored from their line's places,
      rows dispatched first (reading,
      FeedDocument without the sheets'
      computation and report, 54.8 M ->
      49.8 M; with main at 0668066,
      load ~2.8)                  12.3-12.7 2.98     2.2       88.9 M
    write19: one number field and one
      area field for any leading blanks,
      volumes and mass ordinates as 32-bit
      whole numbers, area cells tested
      eight bytes at a time, the row's
      figures computed in the row handed
      on, the sheet's totals taken from
      the running sums, rows checked once
      against the rows held, one division
      a digit pair (ComputeSheet with the
      writer's rows 29.4 M -> 26.0 M; with
      main at 74b9f10, load 2-5) 10.6-15.5 2.63-2.89 1.39     78.8 M
    read19: rows of the program's own
      layout told in one pass (fields,
      masks and values from bit masks of
      16-byte pieces, digits read eight
      at a time), sheet texts in a buffer
      copied 16 bytes at a time, the row
      dispatched inline (reading 50 M ->
      35 M; on main at 13b569d, 83.2 M
      before; load ~5)             9.8-11   2.4      1.6       68.3 M
    both (read19 with main at c37626f,
      load ~2)                     9.5-9.6  2.40     1.8       63.8 M
    area values no longer kept in the
      computed row (main at c2ed601,
      load ~1)                     9.5      1.98-2.10 1.55     63.9 M

cp: 4.5-5.2 ms of CPU, 0.7 M instructions.
Met on wall time (1.55-2.0) and on CPU time (2.0-2.6 at load 1-2, three runs of
the script; 3x is 13.5-15 ms).
Where the rest goes: user code about half (reading ~35 M instructions:
the line scan ~150 per row, storing the row ~135, the written layout's
one-pass check ~360; the computation and report lines ~26 M: the station
text ~60 per row, the cell reads ~56), the kernel the other half: the
5.7 MB copied into the page cache, the 3.3 MB document copied out of it,
the old report's pages freed, process start and ~300 page faults (cp:
~110). The report file is replaced atomically but, like `cp`'s copy, not
flushed to the disk.
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

#!/usr/bin/env python3
"""Check `mardex-report --haul-table` against the expected tables of a cases
folder.

usage: check_haul_tables.py TOOL CASES_DIR

CASES_DIR/INDEX.txt lists, after a title line, "EXPECTED.csv<TAB>command";
the command names the tool "mardex-report", the output OUT.csv and the
document by its name in CASES_DIR.  Each run must exit 0, print exactly one
line "<csv path>: <N> rows" (N = the lines below the header) and write a
table equal to the expected one (numbers within 0.01, stations within
0.001, every other field exactly).  The last line printed is
"N passed, M failed"; the exit status is 0 only when M is 0.
"""

from __future__ import annotations

import re
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from haul_model import differences  # noqa: E402

ROWS_LINE = re.compile(r"^(?P<path>.*): (?P<n>[0-9]+) rows$")


def run_case(tool, cases, expected, command, out):
    args = []
    for word in command.split()[1:]:
        if word == "OUT.csv":
            args.append(str(out))
        elif word.endswith(".mdx") or word.endswith(".log"):
            args.append(str((cases / word).resolve()))
        else:
            args.append(word)
    if out.exists():
        out.unlink()
    proc = subprocess.run([tool] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    if proc.returncode != 0:
        return f"exit status {proc.returncode}: {proc.stderr.decode(errors='replace').strip()[:300]}"
    got = out.read_text(encoding="utf-8") if out.exists() else ""
    want = (cases / expected).read_text(encoding="utf-8")
    problem = differences(want, got)
    if problem:
        return problem
    lines = [m for m in map(ROWS_LINE.match, proc.stdout.decode().splitlines()) if m]
    if len(lines) != 1 or lines[0].group("path") != str(out) or int(lines[0].group("n")) != got.count("\n") - 1:
        return f"output line {proc.stdout.decode().strip()!r}"
    return None


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    tool = str(Path(argv[1]).resolve())
    cases = Path(argv[2])
    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="haul_tables_") as tmp:
        out = Path(tmp) / "OUT.csv"
        for line in (cases / "INDEX.txt").read_text(encoding="utf-8").splitlines()[1:]:
            if "\t" not in line:
                continue
            expected, command = line.split("\t", 1)
            problem = run_case(tool, cases, expected, command, out)
            if problem is None:
                passed += 1
            else:
                failed += 1
                print(f"FAIL {expected}: {problem}")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

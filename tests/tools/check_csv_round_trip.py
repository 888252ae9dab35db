#!/usr/bin/env python3
"""Export -> import of every sheet of every sample document must keep its rows.

usage: check_csv_round_trip.py TOOL CASES_DIR

For every CASE.mdx (not CASE.saved.mdx) and each of its sheets N:
  TOOL --save-as A.mdx CASE.mdx                        the rows as stored
  TOOL --export-csv S.csv --sheet N CASE.mdx
  TOOL --save-as B.mdx [--metric] S.csv
B must hold one sheet named S with exactly the rows of sheet N of A, in A's
unit. A document the tool cannot read is left out. Prints "N passed, M failed".
"""

from __future__ import annotations

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sheet_documents import read_document  # noqa: E402


def run(*args):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=60)


def main() -> int:
    tool, cases = sys.argv[1], sys.argv[2]
    passed = failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for name in sorted(f[:-4] for f in os.listdir(cases) if f.endswith(".mdx") and not f.endswith(".saved.mdx")):
            source = os.path.abspath(os.path.join(cases, name + ".mdx"))
            stored = os.path.join(tmp, "a.mdx")
            if run(tool, "--save-as", stored, source).returncode != 0:
                continue
            original = read_document(stored)
            for n, sheet in enumerate(original["sheets"], start=1):
                csv = os.path.join(tmp, "s.csv")
                back = os.path.join(tmp, "b.mdx")
                exported = run(tool, "--export-csv", csv, "--sheet", str(n), source)
                unit = ["--metric"] if original["unit"] == 1 else []
                imported = run(tool, "--save-as", back, *unit, csv) if exported.returncode == 0 else exported
                problem = None
                if imported.returncode != 0:
                    problem = imported.stderr.strip()
                else:
                    got = read_document(back)
                    if got["unit"] != original["unit"]:
                        problem = "unit"
                    elif [s["name"] for s in got["sheets"]] != ["s"]:
                        problem = f"sheets {[s['name'] for s in got['sheets']]}"
                    elif got["sheets"][0]["rows"] != sheet["rows"]:
                        pairs = zip(got["sheets"][0]["rows"], sheet["rows"])
                        diff = next(((i, g, e) for i, (g, e) in enumerate(pairs) if g != e), None)
                        problem = f"rows differ: {diff or (len(got['sheets'][0]['rows']), len(sheet['rows']))}"
                if problem:
                    failed += 1
                    print(f"FAIL {name} sheet {n}: {problem}")
                else:
                    passed += 1
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

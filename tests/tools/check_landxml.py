#!/usr/bin/env python3
"""Check `mardex-report --save-as OUT.mdx IN.xml` against the expected
sheets of a LandXML cases folder.

usage: check_landxml.py TOOL CASES_DIR

For every NAME.xml with NAME.expect.json: a refused case ({"error": ...})
must exit 1, name the file on stderr and write nothing; any other must exit
0 with the expected unit, tab names and rows (stations within 0.001, areas
within 0.005, codes equal). A case whose areas come from surfaces is run
with its --ground/--design options and without them (the names then decide).
The last line printed is "N passed, M failed"; exit status 0 when M is 0.
"""

from __future__ import annotations

import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sheet_documents import read_document, station_value  # noqa: E402


def compare(expect: dict, got: dict) -> str | None:
    if got["unit"] != expect["unit"]:
        return f"unit {got['unit']}, expected {expect['unit']}"
    if len(got["sheets"]) != len(expect["sheets"]):
        return f"{len(got['sheets'])} sheets, expected {len(expect['sheets'])}"
    for gs, es in zip(got["sheets"], expect["sheets"]):
        if gs["name"] != es["name"]:
            return f"tab {gs['name']!r}, expected {es['name']!r}"
        if len(gs["rows"]) != len(es["rows"]):
            return f"{es['name']}: {len(gs['rows'])} rows, expected {len(es['rows'])}"
        for i, (g, e) in enumerate(zip(gs["rows"], es["rows"])):
            where = f"{es['name']} row {i + 1}"
            if abs(station_value(g[0]) - e[0]) > 0.001:
                return f"{where}: station {g[0]}, expected {e[0]}"
            if g[1] != e[1]:
                return f"{where}: code {g[1]}, expected {e[1]}"
            for col in (2, 3, 4, 5):
                if abs(float(g[col]) - e[col]) > 0.005 + 1e-9:
                    return f"{where}: column {col} {g[col]}, expected {e[col]}"
    return None


def main() -> int:
    tool, cases = sys.argv[1], sys.argv[2]
    passed = failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for name in sorted(f[:-4] for f in os.listdir(cases) if f.endswith(".xml")):
            source = os.path.abspath(os.path.join(cases, name + ".xml"))
            with open(os.path.join(cases, name + ".expect.json")) as f:
                expect = json.load(f)
            runs = [[]]
            options = expect.get("options") or {}
            if options:
                runs.append(["--ground", options["ground"], "--design", options["design"]])
            for extra in runs:
                out = os.path.join(tmp, name + ".mdx")
                if os.path.exists(out):
                    os.remove(out)
                run = subprocess.run([tool, "--save-as", out, *extra, source],
                                     capture_output=True, text=True, timeout=60)
                label = f"{name} {' '.join(extra)}".strip()
                if "error" in expect:
                    problem = None
                    if run.returncode != 1:
                        problem = f"exit {run.returncode}, expected 1"
                    elif source not in run.stderr:
                        problem = f"stderr does not name the file: {run.stderr!r}"
                    elif os.path.exists(out):
                        problem = "a document was written"
                else:
                    problem = (f"exit {run.returncode}: {run.stderr.strip()}" if run.returncode != 0
                               else compare(expect, read_document(out)))
                if problem:
                    failed += 1
                    print(f"FAIL {label}: {problem}")
                else:
                    passed += 1
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Runs `mardex-report` and the independent model (report_model.py) on
random documents and compares the reports byte for byte, the page counts
and the refusals.

usage: compare_random_reports.py TOOL [COUNT [SEED]]

Each document is reported four ways: Total, Accumulated, --sheet N (a
random sheet) and --all-sheets.  The last line printed is
"N passed, M failed"; the exit status is 0 only when M is 0.
"""

from __future__ import annotations

import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import random_documents  # noqa: E402
import report_model  # noqa: E402
from compare_support import PAGES_LINE, first_difference  # noqa: E402



def check(tool, doc: Path, out: Path, options, model_args):
    if out.exists():
        out.unlink()
    proc = subprocess.run([tool] + options + ["--output", str(out), str(doc)],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    try:
        text, pages, _ = report_model.run(str(doc), **model_args)
    except report_model.Fault:
        if proc.returncode != 1:
            return f"model refuses, tool exit status {proc.returncode}"
        if out.exists():
            return "refused run left a report file"
        return None
    if proc.returncode != 0:
        return f"tool exit status {proc.returncode}: {proc.stderr.decode(errors='replace').strip()[:200]}"
    got = out.read_bytes() if out.exists() else b""
    want = text.encode("latin-1")
    if got != want:
        return first_difference(want, got)
    found = [m for m in (PAGES_LINE.match(l) for l in proc.stdout.decode().splitlines()) if m]
    if len(found) != 1 or int(found[0].group("n")) != pages:
        return f"pages: model {pages}, tool {proc.stdout.decode().strip()!r}"
    return None


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    tool = str(Path(argv[1]).resolve())
    count = int(argv[2]) if len(argv) > 2 else 200
    seed = int(argv[3]) if len(argv) > 3 else 20261207
    rng = random.Random(seed)
    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="random_reports_") as tmp:
        folder = Path(tmp)
        out = folder / "OUT.rpt"
        for i in range(count):
            text = random_documents.document(rng)
            doc = folder / f"doc{i:04d}.mdx"
            doc.write_bytes(text.encode("latin-1"))
            n = random_documents.sheets_of(text)
            sheet = rng.randint(1, max(1, n))
            runs = [("total", [], {}),
                    ("accum", ["--accumulated"], {"accumulated": True}),
                    (f"s{sheet}", ["--sheet", str(sheet)] + (["--accumulated"] if i % 2 else []),
                     {"sheet_no": sheet, "accumulated": bool(i % 2)}),
                    ("all", ["--all-sheets"], {"all_sheets": True})]
            kept = False
            for key, options, model_args in runs:
                failure = check(tool, doc, out, options, model_args)
                if failure is None:
                    passed += 1
                else:
                    failed += 1
                    kept = True
                    if failed <= 20:
                        print(f"FAIL {doc.name} [{key}]: {failure}")
            if kept and os.environ.get("KEEP_FAILED"):
                dest = Path(os.environ["KEEP_FAILED"])
                dest.mkdir(parents=True, exist_ok=True)
                (dest / doc.name).write_bytes(doc.read_bytes())
            doc.unlink()
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

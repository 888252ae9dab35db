#!/usr/bin/env python3
"""Runs `mardex-report --haul-table` and the independent model (haul_model.py
on the Total report of report_model.py) on every sample document and on
random documents, and compares the tables (numbers within 0.01, stations
within 0.001) and the refusals.

usage: compare_random_haul.py TOOL SAMPLES_DIR... [--random COUNT [SEED]]

Every sheet of each document is analysed without free haul, with a free
haul of 100, and with a random free haul and price.  The last line printed
is "N passed, M failed"; the exit status is 0 only when M is 0.
"""

from __future__ import annotations

import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import haul_model  # noqa: E402
import random_documents  # noqa: E402
import report_model  # noqa: E402


def check(tool, doc: Path, out: Path, sheet, free_haul, price):
    options = ["--sheet", str(sheet)]
    if free_haul:
        options += ["--free-haul", repr(free_haul)]
        if price is not None:
            options += ["--overhaul-price", repr(price)]
    if out.exists():
        out.unlink()
    proc = subprocess.run([tool, "--haul-table", str(out)] + options + [str(doc)],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    try:
        text, _, _ = report_model.run(str(doc), sheet_no=sheet)
    except report_model.Fault:
        if proc.returncode != 1:
            return f"model refuses, tool exit status {proc.returncode}"
        return None
    if proc.returncode != 0:
        return f"tool exit status {proc.returncode}: {proc.stderr.decode(errors='replace').strip()[:200]}"
    want = haul_model.analyse(haul_model.parse_report(text), free_haul, price)
    return haul_model.differences(want, out.read_text(encoding="utf-8"))


def main(argv):
    args = argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    tool = str(Path(args.pop(0)).resolve())
    count, seed = 0, 20261207
    if "--random" in args:
        i = args.index("--random")
        rest = args[i + 1:]
        count = int(rest[0]) if rest else 100
        seed = int(rest[1]) if len(rest) > 1 else seed
        args = args[:i]
    rng = random.Random(seed)
    passed = failed = 0

    def tally(name, problem):
        nonlocal passed, failed
        if problem is None:
            passed += 1
        else:
            failed += 1
            if failed <= 20:
                print(f"FAIL {name}: {problem}")

    def runs(doc: Path, text: str):
        for sheet in range(1, random_documents.sheets_of(text) + 1):
            for free_haul, price in ((0, None), (100, 2.5), (round(rng.uniform(1, 400), 2), round(rng.uniform(0, 9), 2))):
                tally(f"{doc.name} sheet {sheet} F={free_haul}", check(tool, doc, out, sheet, free_haul, price))

    with tempfile.TemporaryDirectory(prefix="random_haul_") as tmp:
        folder = Path(tmp)
        out = folder / "OUT.csv"
        for samples in args:
            for doc in sorted(Path(samples).glob("*.mdx")):
                if doc.name.endswith(".saved.mdx"):
                    continue
                runs(doc.resolve(), doc.read_bytes().decode("latin-1"))
        for i in range(count):
            text = random_documents.document(rng)
            doc = folder / f"doc{i:04d}.mdx"
            doc.write_bytes(text.encode("latin-1"))
            before = failed
            runs(doc, text)
            if failed > before and os.environ.get("KEEP_FAILED"):
                dest = Path(os.environ["KEEP_FAILED"])
                dest.mkdir(parents=True, exist_ok=True)
                (dest / doc.name).write_bytes(doc.read_bytes())
            doc.unlink()
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Runs `mardex-report` and the independent model (log_model.py) on random
GEOPAK logs (random_logs.py) and compares reports, companion documents, page
counts and refusals byte for byte.

usage: compare_random_logs.py TOOL [COUNT [SEED]]

Each log is reported Total and Accumulated; every third log is damaged
first (random_logs.mutate).  The last line printed is
"N passed, M failed"; the exit status is 0 only when M is 0.  A failing log
is kept in the folder named on the failure line.
"""

from __future__ import annotations

import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import log_model  # noqa: E402
import random_logs  # noqa: E402
from compare_support import PAGES_LINE, first_difference  # noqa: E402



def check(tool: str, log: Path, accumulated: bool, model: log_model.Result) -> str | None:
    work = log.parent
    out = work / "OUT.rpt"
    companion = work / (log.name[:-4] + ".mdx")
    for p in (out, companion):
        if p.exists():
            p.unlink()
    options = ["--accumulated"] if accumulated else []
    proc = subprocess.run([tool] + options + ["--output", str(out), str(log)], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=60, cwd=work)
    if model.refusal:
        if proc.returncode != 1:
            return f"model refuses ({model.refusal}), tool exit status {proc.returncode}"
        if out.exists():
            return "a refused run left a report file"
        if model.refusal == "not a log":
            extra = sorted(p.name for p in work.iterdir() if p != log)
            return f"a file that is not a log left {extra}" if extra else None
    else:
        if proc.returncode != 0:
            return f"tool exit status {proc.returncode}: {proc.stderr.decode('latin-1')[:300]}"
        got = out.read_bytes() if out.exists() else b""
        if got != model.report:
            return "report " + first_difference(model.report, got)
        found = [m for m in (PAGES_LINE.match(l) for l in proc.stdout.decode("latin-1").splitlines()) if m]
        if len(found) != 1 or int(found[0].group("n")) != model.pages:
            return f"pages: model {model.pages}, tool {proc.stdout.decode('latin-1').strip()!r}"
    got = companion.read_bytes() if companion.exists() else b""
    if got != model.companion:
        return "companion " + first_difference(model.companion, got)
    return None


def main(argv) -> int:
    if len(argv) < 2:
        print(__doc__)
        return 2
    tool = str(Path(argv[1]).resolve())
    count = int(argv[2]) if len(argv) > 2 else 100
    seed = int(argv[3]) if len(argv) > 3 else 20261207
    rng = random.Random(seed)
    passed = failed = 0
    root = Path(tempfile.mkdtemp(prefix="random_logs_"))
    for n in range(count):
        work = root / f"case{n}"
        work.mkdir()
        log = work / f"rand{n}.log"
        data = random_logs.make_log(rng)
        if n % 3 == 2:
            data = random_logs.mutate(rng, data)
        log.write_bytes(data)
        bad = False
        for accumulated in (False, True):
            failure = check(tool, log, accumulated, log_model.run(data, accumulated))
            if failure is None:
                passed += 1
            else:
                failed += 1
                bad = True
                if failed <= 20:
                    print(f"FAIL {log} [{'accum' if accumulated else 'total'}]: {failure}")
        if not bad:
            shutil.rmtree(work, ignore_errors=True)
    if failed == 0:
        shutil.rmtree(root, ignore_errors=True)
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Kills mardex-report (kill -9) at random moments while it writes a large
combined report (--all-sheets --output) or saves a large document
(--save-as), and checks that the target then holds the old file or the new
one, never a mix; the temporary files the killed runs left are removed by
the next complete run.  Bounded to a few seconds of trials."""

from __future__ import annotations

import os
import random
import signal
import subprocess
import sys
import tempfile
import time

SHEETS, ROWS = 26, 1800
TRIAL_SECONDS = 2.0  # per kind of write


def big_document() -> bytes:
    lines = ["[VERSION 2002]", "[ENGLISH]", "D", "P", "C"]
    rng = random.Random(15)
    for s in range(SHEETS):
        lines += [f"[END AREA {s + 1} S{s + 1}]", "#BALANCE FACTOR", "1.00", "#MEASURED IN EMBANKMENT", " 0 ",
                  "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)"]
        for r in range(ROWS):
            station = f"{r // 1:04d}"
            lines.append(f"{station[:-2]}+{station[-2:]}.000 - {rng.uniform(0, 300):.2f} 0.00 "
                         f"{rng.uniform(0, 300):.2f} 0.00")
    lines.append("[LAST RECORD]")
    return ("\r\n".join(lines) + "\r\n").encode()


def run(tool: str, args: list[str], cwd: str) -> None:
    done = subprocess.run([tool] + args, cwd=cwd, capture_output=True)
    if done.returncode != 0:
        sys.exit(f"{' '.join(args)} failed: {done.stderr.decode(errors='replace')}")


def temporaries(folder: str) -> list[str]:
    return [n for n in os.listdir(folder) if n.startswith(".~mardex.")]


def trials(tool: str, folder: str, args: list[str], target: str, rng: random.Random) -> tuple[int, int, int]:
    path = os.path.join(folder, target)
    run(tool, args, folder)
    with open(path, "rb") as f:
        new = f.read()
    old = b"the file that was there before\r\n" * 1000
    started = time.monotonic()
    run(tool, args, folder)
    whole = max(time.monotonic() - started, 0.01)

    kept = replaced = count = 0
    deadline = time.monotonic() + TRIAL_SECONDS
    while time.monotonic() < deadline:
        with open(path, "wb") as f:
            f.write(old)
        proc = subprocess.Popen([tool] + args, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(rng.uniform(0, whole * 1.2))
        proc.send_signal(signal.SIGKILL)
        proc.wait()
        with open(path, "rb") as f:
            found = f.read()
        count += 1
        if found == old:
            kept += 1
        elif found == new:
            replaced += 1
        else:
            sys.exit(f"{target}: after kill -9 (trial {count}) the file is neither the old nor the new one "
                     f"({len(found)} bytes; old {len(old)}, new {len(new)})")
    run(tool, args, folder)
    left = temporaries(folder)
    if left:
        sys.exit(f"temporary files left after a complete run: {left}")
    return count, kept, replaced


def main() -> None:
    tool = sys.argv[1]
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 9)
    with tempfile.TemporaryDirectory(prefix="mardex_kill_") as folder:
        with open(os.path.join(folder, "big.mdx"), "wb") as f:
            f.write(big_document())
        for args, target in ((["--all-sheets", "--output", "out.rpt", "big.mdx"], "out.rpt"),
                             (["--save-as", "saved.mdx", "big.mdx"], "saved.mdx")):
            count, kept, replaced = trials(tool, folder, args, target, rng)
            print(f"{target}: {count} runs killed: {kept} old, {replaced} new, none mixed")


if __name__ == "__main__":
    main()

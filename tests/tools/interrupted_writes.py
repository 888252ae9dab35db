#!/usr/bin/env python3
"""Kills mardex-report (kill -9) at random moments while it writes a large
combined report (--all-sheets --output) or saves a large document
(--save-as), and checks that the target then holds the old file or the new
one, never a mix; the temporary files the killed runs left are removed by
the next complete run.  Bounded to a few seconds of trials.

    interrupted_writes.py TOOL [SEED] [--mass-haul TRIALS]

With --mass-haul, TRIALS runs of --mass-haul into an SVG, a PDF and a PNG
each are killed instead (a long run, kept out of ctest): no file may be
empty or cut, only the old one or a complete new one."""

from __future__ import annotations

import os
import random
import re
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


# Qt's hash order (the order of a PDF's font objects) fixed, so that two
# complete runs write the same bytes.
os.environ["QT_HASH_SEED"] = "0"


def same_drawing(a: bytes, b: bytes) -> bool:
    """Equal but for the dates and the document ID a PDF writer stamps."""
    def masked(data: bytes) -> bytes:
        data = re.sub(rb"D:\d{14}[^)]*", b"D:", data)
        data = re.sub(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[^<]*", b"T", data)
        return re.sub(rb"/ID\s*\[[^\]]*\]", b"/ID", data)
    return a == b or masked(a) == masked(b)


def trials(tool: str, folder: str, args: list[str], target: str, rng: random.Random,
           count_limit: int = 0) -> tuple[int, int, int]:
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
    while (count < count_limit) if count_limit else (time.monotonic() < deadline):
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
        elif same_drawing(found, new):
            replaced += 1
        else:
            sys.exit(f"{target}: after kill -9 (trial {count}) the file is neither the old nor the new one "
                     f"({len(found)} bytes; old {len(old)}, new {len(new)})")
    run(tool, args, folder)
    left = temporaries(folder)
    if left:
        sys.exit(f"temporary files left after a complete run: {left}")
    return count, kept, replaced


def one_sheet_document() -> bytes:
    """The first sheet of the big document: a long mass-haul diagram."""
    text = big_document().decode()
    return text[:text.index("[END AREA 2 ")].encode() + b"[LAST RECORD]\r\n"


def main() -> None:
    args = sys.argv[1:]
    haul_trials = 0
    if "--mass-haul" in args:
        k = args.index("--mass-haul")
        haul_trials = int(args[k + 1])
        del args[k:k + 2]
    tool = os.path.abspath(args[0])
    rng = random.Random(int(args[1]) if len(args) > 1 else 9)
    with tempfile.TemporaryDirectory(prefix="mardex_kill_") as folder:
        if haul_trials:
            with open(os.path.join(folder, "sheet.mdx"), "wb") as f:
                f.write(one_sheet_document())
            for ext in ("svg", "pdf", "png"):
                target = "diagram." + ext
                count, kept, replaced = trials(tool, folder, ["--mass-haul", target, "--free-haul", "500", "sheet.mdx"],
                                               target, rng, haul_trials)
                print(f"{target}: {count} runs killed: {kept} old, {replaced} new, none empty or cut")
            return
        with open(os.path.join(folder, "big.mdx"), "wb") as f:
            f.write(big_document())
        for args, target in ((["--all-sheets", "--output", "out.rpt", "big.mdx"], "out.rpt"),
                             (["--save-as", "saved.mdx", "big.mdx"], "saved.mdx")):
            count, kept, replaced = trials(tool, folder, args, target, rng)
            print(f"{target}: {count} runs killed: {kept} old, {replaced} new, none mixed")


if __name__ == "__main__":
    main()

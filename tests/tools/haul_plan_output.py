#!/usr/bin/env python3
"""Runs `mardex-report --haul-plan` and reads what it writes: the plan table
(grouped by stretch) and the limits of economic haul it prints."""

from __future__ import annotations

import csv
import io
import re
import subprocess
from pathlib import Path

HEADER = ["kind", "from", "to", "volume", "distance", "overhaul_cost", "site_cost"]
LIMIT = re.compile(r"^limit of economic haul (?P<b>.*) to (?P<w>.*) \(stretch (?P<s>\d+)\): "
                   r"(?:(?P<d>[0-9.]+) (?:ft|m)|none \(no overhaul price\))$")


def number_arg(x):
    return repr(float(x))


def run(tool, doc: Path, sites: Path | None, out: Path, free_haul, price, sheet=None):
    args = [tool, "--haul-plan", str(out), "--free-haul", number_arg(free_haul),
            "--overhaul-price", number_arg(price)]
    if sites is not None:
        args += ["--sites", str(sites)]
    if sheet is not None:
        args += ["--sheet", str(sheet)]
    if out.exists():
        out.unlink()
    return subprocess.run(args + [str(doc)], stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)


def read_plan(out: Path):
    """(stretches, total): each stretch a dict with its moves and summary row."""
    rows = list(csv.reader(io.StringIO(out.read_text(encoding="utf-8"))))
    if not rows or rows[0] != HEADER:
        raise ValueError(f"header {rows[:1]!r}")
    stretches, moves, total = [], [], None
    for r in rows[1:]:
        if len(r) != 7:
            raise ValueError(f"row {r!r}")
        kind = r[0]
        row = {"kind": kind, "from": r[1], "to": r[2], "volume": float(r[3]), "distance": float(r[4]),
               "overhaul": float(r[5]), "site": float(r[6])}
        if kind in ("move", "borrow", "waste"):
            moves.append(row)
        elif kind == "stretch":
            stretches.append({"summary": row, "moves": moves})
            moves = []
        elif kind == "total":
            total = row
        else:
            raise ValueError(f"kind {kind!r}")
    if total is None or moves:
        raise ValueError("no total row last")
    return stretches, total


def limits(stdout: str):
    out = []
    for line in stdout.splitlines():
        m = LIMIT.match(line)
        if m:
            out.append((m["b"], m["w"], int(m["s"]), float(m["d"]) if m["d"] else None))
    return out

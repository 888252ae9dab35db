#!/usr/bin/env python3
"""Random sheet documents for the report comparison: every station code,
both unit systems, embankment flags, several sheets, factors that the shown
sheet rounds, station equations, skips, forced balances and sign changes of
the mass ordinate.  Written as the program's writer lays documents out."""

from __future__ import annotations

import random

CODES = ["-"] * 12 + ["SA", "SA", "FB", "AH", "BK", "BK", "AH"]
FACTORS = ["1.00", "0.90", "0.875", "1.25", "1", "0.8", "1.125", "0.95"]
WORDS = ["DESIGN", "UNIT", "4", "STP-12(3)", "C-101", "Road", "Main", "line", "North"]


def station_text(x: float) -> str:
    neg = x < 0
    whole, frac = f"{abs(x):.3f}".split(".")
    whole = whole.rjust(4, "0")
    return ("-" if neg else "") + whole[:-2] + "+" + whole[-2:] + "." + frac


def area(rng: random.Random, big: bool) -> str:
    r = rng.random()
    if r < 0.3:
        return "0.00"
    top = 5000 if big else 200
    return f"{rng.uniform(0, top):.2f}"


def added(rng: random.Random) -> str:
    return f"{rng.uniform(0, 400):.2f}" if rng.random() < 0.15 else "0.00"


def sheet_rows(rng: random.Random, metric: bool):
    n = rng.choice([0, 1, 2, 3, 5, 8, 12, 20, 30, 45])
    station = rng.choice([0.0, 1000.0, 12345.5, -300.0, 99000.0])
    rows = []
    big = rng.random() < 0.1
    # cut-heavy and fill-heavy stretches make the mass ordinate change sign
    bias = rng.random()
    for i in range(n):
        step = rng.choice([0, 10, 20, 25, 50, 50, 50, 100, 100, 33.333, 12.5])
        if metric:
            step = step / 5
        if rng.random() < 0.05:
            step = -rng.choice([10, 20, 50])  # station equations step back
        station = station + step
        if rng.random() < 0.1:
            bias = rng.random()
        code = rng.choice(CODES) if i > 0 or rng.random() < 0.2 else "-"
        if rng.random() < bias:
            cut, fill = area(rng, big), "0.00"
        else:
            cut, fill = "0.00", area(rng, big)
        rows.append([station_text(round(station, 3)), code, cut, added(rng), fill, added(rng)])
    return rows


def document(rng: random.Random) -> str:
    metric = rng.random() < 0.4
    lines = ["[VERSION 2002]", "[METRIC]" if metric else "[ENGLISH]"]
    for _ in range(3):
        lines.append(" ".join(rng.choice(WORDS) for _ in range(rng.randint(0, 3))))
    sheets = rng.choice([1, 1, 2, 3, 4])
    for t in range(sheets):
        name = rng.choice(["BL1", "Ramp A", "Main line", "X", "Baseline 7"])
        embankment = 1 if rng.random() < 0.25 else 0
        factor = "01.000" if embankment else rng.choice(FACTORS)
        lines.append(f"[END AREA {t + 1} {name}]")
        lines.append("#BALANCE FACTOR")
        lines.append(factor)
        lines.append("#MEASURED IN EMBANKMENT")
        lines.append(f" {embankment} ")
        lines.append("#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)")
        for row in sheet_rows(rng, metric):
            line = row[0].rjust(9) + row[1].rjust(12) + "".join(v.rjust(12) for v in row[2:])
            lines.append(line.strip(" "))
    lines.append("[LAST RECORD]")
    return "".join(line + "\r\n" for line in lines)


def sheets_of(text: str) -> int:
    return text.count("[END AREA ")

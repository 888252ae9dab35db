#!/usr/bin/env python3
"""Random GEOPAK earthwork logs for comparing the tool with log_model.py:
English and metric (hundreds and kilometre stations), with and without
accumulated quantities, adjustments, every diagnostic, SKIP stretches, the
row kinds, table breaks, balance points and the grand summary, plus the odd
quirk (single-token rows, long rows, empty rows, logs that are not logs).

    make_log(rng) -> bytes
    mutate(rng, data) -> bytes   (lines dropped, repeated, cut or replaced)
"""

from __future__ import annotations

import random


def num(rng: random.Random, lo=0.0, hi=500.0) -> str:
    return f"{rng.uniform(lo, hi):.2f}"


def station_text(value: float, metric_km: bool) -> str:
    if metric_km:
        km, m = divmod(value, 1000)
        return f"{int(km)}+{m:07.3f}"
    hundreds, rest = divmod(value, 100)
    return f"{int(hundreds)}+{rest:05.2f}"


def make_log(rng: random.Random) -> bytes:
    metric = rng.random() < 0.4
    km = metric and rng.random() < 0.7
    accumulated = rng.random() < 0.5
    lines: list[str] = []
    add = lines.append

    if rng.random() < 0.05:
        add(rng.choice([" 1     3     3 Earthwork ", "  1     3     3 Earthwork", " 1     3     3 earthwork"]))
    else:
        if rng.random() < 0.3:
            add("")
            add("   GEOPAK")
        add(" 1     3     3 Earthwork")
    add("")
    add("                         GEOPAK ROAD   Earthwork Quantities        Version 08.11")
    baseline = rng.choice(["CL1", "MAIN", "RAMP A", "BL-2", "X"])
    add(f"   EARTHWORKS FOR BASELINE = {baseline}")
    add("   Cross Section File = xsec.dgn      Shape Clusters = EX,PR")
    if accumulated:
        add("   ADD ACCUMULATED QUANTITIES")
    add("")

    start = rng.choice([0, 500, 1000, 2000]) if not km else rng.choice([0, 500, 900])
    step = rng.choice([20, 25, 50, 100])
    n_stations = rng.randint(3, 40)
    stations = [start + i * step for i in range(n_stations)]
    last = stations[-1]

    for _ in range(rng.randint(0, 4)):
        s = rng.uniform(start, last + step)
        add(rng.choice(["   ADJUSTMENT", "   adjustment", "   ADJUSTMENTS"]))
        add(f"      STATION = {station_text(s, km)}")
        add("      MATERIAL = " + rng.choice(["EXCAVATION", "EMBANKMENT"]))
        add("      " + rng.choice(["EXC", "FILL", "Fill", "QUANTITY", "exc"]) + f" = {num(rng, 10, 200)}")
        add("")

    if metric:
        add("   Station   Material   Area (sq. meters)   meters)    meters)   Factor")
    else:
        add("   Station      Material        Area     Volume  Adj. Vol.     Factor  Mass Ord.")
        add("                               (sq. ft)  (cu. yd.)  (cu. yd.)            (cu. yd.)")
    dashes = " " + "-" * 96
    add(dashes)

    def ordinary(name):
        add(f"   {name}      {baseline}")
        cut = rng.choice([num(rng), num(rng), "0.00", "1.5"])
        row = f"        Excavation  {cut:>10}  {num(rng):>9}  {num(rng):>9}       1.00"
        if accumulated:
            row += f"  {num(rng):>9}  {num(rng):>9}"
        add(row)
        fill = f"        Fill        {num(rng):>10}  {num(rng):>9}  {num(rng):>9}       1.25  {num(rng, -500, 500):>9}"
        if accumulated:
            fill += f"  {num(rng):>9}  {num(rng):>9}"
        add(fill)

    def dashed(name):
        add(f"   {name}      {baseline}")
        if rng.random() < 0.5:
            add("        Excavation      ------     ------     ------       1.00")
            add(f"        Fill            ------     ------     ------       1.25  {num(rng, -500, 500)}")
        else:
            add(f"        ------          ------  {num(rng):>9}     ------       1.00  {num(rng):>9}")
            add(f"        ------          ------  {num(rng):>9}  {num(rng):>9}       1.25  {num(rng, -500, 500)}")

    def na(name):
        add(f"   {name}      {baseline}")
        add(f"        Excavation          NA  {num(rng):>9}  {num(rng):>9}       1.00  {num(rng):>9}")
        add(f"        ------          ------  {num(rng):>9}  {num(rng):>9}       1.25  {num(rng, -500, 500)}")

    def exc(name):
        add(f"   {name}      {baseline}")
        word = rng.choice(["Exc", "EXC"])
        add(f"        ------             {word}       0.00       0.00  {num(rng):>9}  {num(rng):>9}")
        add(f"        ------          ------  {num(rng):>9}  {num(rng):>9}       1.25  {num(rng, -500, 500)}")

    for i, value in enumerate(stations):
        name = station_text(value, km)
        r = rng.random()
        if i > 0 and r < 0.06:
            add(f"   SKIP = {name} " + rng.choice(["to", "TO", "To", ""]) +
                f" {station_text(value + step * rng.randint(0, 4), km)}")
        elif i > 0 and r < 0.16:
            kind = rng.choice(["XS-NOPROP", "at", "XS-NOES", "for", "XS-W-DANGPROP", "XS-ONESIDE"])
            mid = station_text(value - step / 2, km)
            if kind == "at":
                add("   XS-NOELEM No cross-section elements found")
                add(f"   at {mid} in xsec.dgn")
            elif kind == "for":
                add("   XS-W-DANGPROP Proposed finish grade elements does not connect")
                add(f"   for {mid} RT side")
            else:
                add(f"   {kind} Something about the section at {mid}")
        elif i > 0 and r < 0.18:
            add(f"   TOTALS  {station_text(start, km)} TO {name}")
            add(dashes)
            add("")
            add("   Station      Material        Area     Volume")
            add(dashes)
        kind = rng.random()
        if kind < 0.08:
            dashed(name)
        elif kind < 0.16:
            na(name)
        elif kind < 0.2:
            exc(name)
        else:
            ordinary(name)
        q = rng.random()
        if q < 0.03:
            add("        ------")
        elif q < 0.05:
            add("        a b c d e f g h i j k l")
        elif q < 0.07:
            add("")
    add(f"   TOTALS  {station_text(start, km)} TO {station_text(last, km)}")
    add(dashes)
    add("")

    add("                      B A L A N C E   P O I N T S")
    add("      Station                 Excavation            Fill")
    exc_acc = fill_acc = 0.0
    for b in range(rng.randint(0, 6)):
        s = rng.uniform(start - step, last + step)
        add(f"   BALANCE POINT = {station_text(s, km)}, {35 + b}")
        if rng.random() < 0.1:
            continue  # a run of two point lines
        add("   " + "-" * 60)
        exc_acc += rng.uniform(10, 300)
        fill_acc += rng.uniform(10, 300)
        e3 = rng.choice([f"{exc_acc:.2f}", "n/a"]) if rng.random() < 0.05 else f"{exc_acc:.2f}"
        add(f"      Excavation  {exc_acc:>10.2f} {exc_acc * 1.1:>10.2f} {e3:>10}")
        tail = "       1.25" if rng.random() < 0.7 else ""
        add(f"      Fill        {fill_acc:>10.2f} {fill_acc * 1.25:>10.2f} {fill_acc:>10.2f}{tail}")
    add("")
    add("   BALANCE POINT COMPUTATIONS COMPLETE")
    add("")
    add("                 G R A N D     S U M M A R Y     T O T A L S")
    add("")
    add("                              Unadjusted  Adjusted    Mult")
    add("                              Volume      Volume      Factor")
    if metric:
        add("                              (cubic     (cubic")
        add("                               meters)    meters)")
    else:
        add("                              (cu. yd.)   (cu. yd.)")
    add("               ---------------------------- ---------- ---------- ------")
    add(f"               Excavation      {rng.randint(0, 9999):>6}      {rng.randint(0, 9999):>6}      1.00")
    add(f"               Fill            {rng.randint(0, 9999):>6}      {rng.randint(0, 9999):>6}      1.25")
    add("               ---------------------------- ---------- ---------- ------")
    add("")
    add("          M A S S   B A L A N C E   S U M M A R Y")
    end = "\r\n" if rng.random() < 0.9 else "\n"
    return (end.join(lines) + end).encode("latin-1")


NOISE = ["----------", "   SKIP = 1+00.00 to", "   at", "BALANCE POINT = , ,", "G R A N D", "P O I N T",
         "ADJUSTMENT", "   XS-NOES", "1e5+5 x", " 12+00.00", "   0+000.000 x", "   ADD ACCUMULATED"]


def mutate(rng: random.Random, data: bytes) -> bytes:
    """A damaged log: the reader must still give what the model gives."""
    lines = data.decode("latin-1").split("\r\n")
    for _ in range(rng.randint(1, 30)):
        if len(lines) < 3:
            lines.append(" 1     3     3 Earthwork")
        op, i = rng.random(), rng.randrange(len(lines))
        if op < 0.3:
            del lines[i]
        elif op < 0.5:
            lines.insert(i, lines[rng.randrange(len(lines))])
        elif op < 0.7:
            lines[i] = lines[i][:rng.randrange(len(lines[i]) + 1)]
        elif op < 0.85:
            lines[i] = "".join(rng.choice(" +-=.,0123456789abcETOSKIP\t#") for _ in range(rng.randint(0, 40)))
        else:
            lines.insert(i, rng.choice(NOISE))
    return "\r\n".join(lines).encode("latin-1")

#!/usr/bin/env python3
"""An independent model of the haul analysis, written from its definition:
it reads the mass ordinates a Total report prints (station rows, balance
points, forced balances, station equations) and builds the haul table.

  x  grows by the station difference from the row before; the first station
     row after an equation block does not move x; a step back counts 0.
  y  the printed MASS ORDINATE; a forced balance first reaches the previous
     ordinate + TOTAL CUT-VOL - ADJUSTED FILL-VOL, then drops to 0.
A sheet whose first ordinate is not 0 rises from 0 at its first station.
The free-haul level is found by bisection on the level (the width of the
stretch around the first peak only grows as the level falls).
"""

from __future__ import annotations

import re

STATION = re.compile(r"^(-?\d+)\+(\d\d\.\d{3})$")
HEADER = ("kind,from_station,to_station,direction,volume,haul_moment,average_haul,"
          "free_haul_from,free_haul_to,overhaul_volume,overhaul_moment,overhaul_cost")


def station_value(text):
    m = STATION.match(text)
    if not m:
        return None
    whole, frac = m.group(1), m.group(2)
    neg = whole.startswith("-")
    v = int(whole.lstrip("-")) * 100 + float(frac)
    return -v if neg else v


def station_text(x):
    neg = x < 0
    whole, frac = f"{abs(x):.3f}".split(".")
    whole = whole.rjust(4, "0")
    return ("-" if neg else "") + whole[:-2] + "+" + whole[-2:] + "." + frac


def fields(line):
    """The fields of a table row: the station, then 9-wide right-aligned
    fields two blanks apart (an empty field is 9 blanks; longer text is whole)."""
    first = line.split(" ", 1)[0]
    out = [first]
    pos = len(first)
    while pos < len(line):
        pos += 2
        chunk = line[pos:pos + 9]
        if chunk.strip() == "":
            out.append("")
            pos += 9
            continue
        start = pos + (len(chunk) - len(chunk.lstrip(" ")))
        end = line.find(" ", start)
        end = len(line) if end < 0 else end
        out.append(line[start:end])
        pos = end
    return out


def parse_report(text):
    """Points of the report in order: dicts with station, text, y, kind."""
    rows = []
    after_equation = False
    for raw in text.split("\r\n"):
        line = raw
        if line.startswith("Eq+uation Sta."):
            for r in reversed(rows):
                if r["kind"] == "row":
                    r["bk"] = True
                    break
            after_equation = True
            continue
        if line.startswith("Fo+rced Balance at Station"):
            rows[-1]["fb"] = True
            continue
        first = line.split(" ", 1)[0]
        value = station_value(first)
        if value is None or line.startswith("Bal."):
            continue
        f = fields(line)
        if len(f) == 9:
            rows.append({"kind": "bp", "station": value, "text": first, "y": float(f[8]),
                         "cut": float(f[3]), "adj": float(f[7])})
        elif len(f) == 10:
            rows.append({"kind": "row", "station": value, "text": first, "y": float(f[9]),
                         "cut": float(f[3]), "adj": float(f[8]), "ah": after_equation})
            after_equation = False
    return rows


def curve(rows):
    """(x, y, station, text, before_reset) points."""
    pts = []
    x = 0.0
    for i, r in enumerate(rows):
        if i:
            step = r["station"] - rows[i - 1]["station"]
            if not r.get("ah"):
                x += max(step, 0.0)
        if r.get("fb"):
            prev = pts[-1][1] if pts else 0.0
            pts.append((x, prev + r["cut"] - r["adj"], r["station"], r["text"], True))
        pts.append((x, r["y"], r["station"], r["text"], False))
    if pts and pts[0][1] != 0:
        p = pts[0]
        pts.insert(0, (p[0], 0.0, p[2], p[3], False))
    return pts


def station_at(p, q, x):
    if q[0] > p[0]:
        return p[2] + (x - p[0])
    return q[2]


def with_zeros(pts):
    out = []
    for i, q in enumerate(pts):
        if i and pts[i - 1][1] * q[1] < 0:
            p = pts[i - 1]
            x = p[0] + (-p[1]) / (q[1] - p[1]) * (q[0] - p[0])
            s = station_at(p, q, x)
            out.append((x, 0.0, s, station_text(s), False))
        out.append(q)
    return out


def area(pts, lo, hi):
    """Integral of |y| dx over [lo, hi] of the polyline."""
    total = 0.0
    for p, q in zip(pts, pts[1:]):
        a, b = max(lo, p[0]), min(hi, q[0])
        if b <= a or q[0] <= p[0]:
            continue
        def at(x):
            return abs(p[1]) + (abs(q[1]) - abs(p[1])) * (x - p[0]) / (q[0] - p[0])
        total += (at(a) + at(b)) / 2 * (b - a)
    return total


def stretch(pts, peak, level):
    """(a, station at a, b, station at b) around pts[peak] where |y| >= level."""
    j = peak
    while abs(pts[j - 1][1]) >= level:
        j -= 1
    p, q = pts[j - 1], pts[j]
    a = p[0] + (level - abs(p[1])) / (abs(q[1]) - abs(p[1])) * (q[0] - p[0])
    sa = station_at(p, q, a)
    k = peak
    while abs(pts[k + 1][1]) >= level:
        k += 1
    p, q = pts[k], pts[k + 1]
    b = p[0] + (abs(p[1]) - level) / (abs(p[1]) - abs(q[1])) * (q[0] - p[0])
    sb = station_at(p, q, b)
    return a, sa, b, sb


def money(v):
    return f"{v + 0.0:.2f}"


def analyse(rows, free_haul=0.0, price=None):
    pts = with_zeros(curve(rows))
    lines = []
    tot_v = tot_h = o_v = o_h = o_c = 0.0
    zeros = [i for i, p in enumerate(pts) if p[1] == 0]

    def span(i, j):
        part = pts[i:j + 1]
        v = max(abs(p[1]) for p in part)
        h = sum((abs(p[1]) + abs(q[1])) / 2 * (q[0] - p[0]) for p, q in zip(part, part[1:])) / 100
        sign = next(p[1] for p in part if p[1] != 0)
        return part, v, h, "ahead" if sign > 0 else "back"

    for i, j in zip(zeros, zeros[1:]):
        if j == i + 1:
            continue
        part, v, h, direction = span(i, j)
        line = ["loop", pts[i][3], pts[j][3], direction, money(v), money(h), money(h * 100 / v), "", "", "", "", ""]
        if free_haul > 0:
            width = part[-1][0] - part[0][0]
            if width <= free_haul + 1e-9:
                line[7:11] = [pts[i][3], pts[j][3], money(0), money(0)]
                oh_v = oh_h = 0.0
            else:
                peak = next(n for n, p in enumerate(part) if abs(p[1]) == v)
                lo, hi = 0.0, v
                if stretch(part, peak, hi)[2] - stretch(part, peak, hi)[0] >= free_haul:
                    lo = hi
                for _ in range(200):
                    mid = (lo + hi) / 2
                    a, _, b, _ = stretch(part, peak, mid)
                    if b - a >= free_haul - 1e-9:
                        lo = mid
                    else:
                        hi = mid
                # a join of two humps at a point's level counts at that level
                for q in part:
                    if abs(abs(q[1]) - lo) < 1e-6:
                        a, _, b, _ = stretch(part, peak, abs(q[1]))
                        if b - a >= free_haul - 1e-9:
                            lo = abs(q[1])
                a, sa, b, sb = stretch(part, peak, lo)
                oh_v = lo
                oh_h = (area(part, part[0][0], a) + area(part, b, part[-1][0])) / 100
                line[7:11] = [station_text(sa), station_text(sb), money(oh_v), money(oh_h)]
            if price is not None:
                line[11] = money(oh_h * price)
                o_c += oh_h * price
            o_v += oh_v
            o_h += oh_h
        lines.append(line)
        tot_v += v
        tot_h += h
        if pts[j - 1][4]:
            kind = "waste" if pts[j - 1][1] > 0 else "borrow"
            lines.append([kind, pts[j][3], pts[j][3], "", money(abs(pts[j - 1][1]))] + [""] * 7)
    if zeros and zeros[-1] < len(pts) - 1:
        i, j = zeros[-1], len(pts) - 1
        part, v, h, direction = span(i, j)
        lines.append(["open", pts[i][3], pts[j][3], direction, money(v), money(h), money(h * 100 / v)] + [""] * 5)
        tot_h += h
        kind = "waste" if pts[j][1] > 0 else "borrow"
        lines.append([kind, pts[j][3], pts[j][3], "", money(abs(pts[j][1]))] + [""] * 7)
    total = ["total", "", "", "", money(tot_v), money(tot_h), "", "", "", "", "", ""]
    if free_haul > 0:
        total[9:11] = [money(o_v), money(o_h)]
        if price is not None:
            total[11] = money(o_c)
    lines.append(total)
    return HEADER + "\n" + "".join(",".join(l) + "\n" for l in lines)


def differences(want: str, got: str):
    """None when the tables agree (numbers within 0.01, stations within
    0.001, other fields exactly); else the first difference."""
    w_lines, g_lines = want.split("\n"), got.split("\n")
    if len(w_lines) != len(g_lines):
        return f"{len(w_lines) - 1} lines expected, {len(g_lines) - 1} written:\n{got}"
    for n, (w, g) in enumerate(zip(w_lines, g_lines), 1):
        wf, gf = w.split(","), g.split(",")
        if len(wf) != len(gf):
            return f"line {n}: expected {w!r}, got {g!r}"
        for a, b in zip(wf, gf):
            if a == b:
                continue
            sa, sb = station_value(a), station_value(b)
            if sa is not None and sb is not None and abs(sa - sb) <= 0.001 + 1e-9:
                continue
            try:
                if abs(float(a) - float(b)) <= 0.01 + 1e-9 and "+" not in a + b:
                    continue
            except ValueError:
                pass
            return f"line {n}: expected {w!r}, got {g!r}"
    return None

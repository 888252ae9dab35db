"""An independent model of the LandXML import: what rows a file must give."""

from __future__ import annotations


def _value(points, x, from_right):
    """Height of a polyline at x; at a vertical step, the side the strip lies on."""
    n = len(points)
    for i in range(n - 1):
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        if x1 == x0:
            continue
        inside = x0 <= x < x1 if from_right else x0 < x <= x1
        if inside:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    raise ValueError("outside")


def cut_fill(ground, design):
    """cut = (|G-D| + (G-D)) / 2 integrated, fill = (|G-D| - (G-D)) / 2; None when the
    lines cannot be measured (fewer than two points, or no offsets in common): the
    section is then left out."""
    if len(ground) < 2 or len(design) < 2:
        return None
    lo = max(ground[0][0], design[0][0])
    hi = min(ground[-1][0], design[-1][0])
    if not lo < hi:
        return None
    xs = sorted({lo, hi} | {x for x, _ in ground + design if lo < x < hi})
    signed = absolute = 0.0
    for a, b in zip(xs, xs[1:]):
        da = _value(ground, a, True) - _value(design, a, True)
        db = _value(ground, b, False) - _value(design, b, False)
        w = b - a
        signed += (da + db) / 2 * w
        if da * db >= 0:
            absolute += abs(da + db) / 2 * w
        else:
            t = abs(da) / (abs(da) + abs(db))
            absolute += (abs(da) * t + abs(db) * (1 - t)) / 2 * w
    return (absolute + signed) / 2, (absolute - signed) / 2


def rows(sections, equations):
    """sections: [(sta, cut, fill)] in file order; equations: [(internal, back, ahead)].
    Returns [(station, code, cut, fill)]."""
    eqs = sorted(equations)
    out = []
    done = set()

    def shown(sta):
        value = sta
        for internal, _, ahead in eqs:
            if internal <= sta:
                value = sta - internal + ahead
        return value

    for j, (sta, cut, fill) in enumerate(sections):
        code = "-"
        for k, (internal, back, ahead) in enumerate(eqs):
            if k in done:
                continue
            if internal == sta:
                out.append((back, "BK", cut, fill))
                code = "AH"
                done.add(k)
            elif j > 0 and sections[j - 1][0] < internal < sta:
                p_sta, p_cut, p_fill = sections[j - 1]
                t = (internal - p_sta) / (sta - p_sta)
                c, f = p_cut + (cut - p_cut) * t, p_fill + (fill - p_fill) * t
                out.append((back, "BK", c, f))
                out.append((ahead, "AH", c, f))
                done.add(k)
        out.append((shown(sta), code, cut, fill))
    return out

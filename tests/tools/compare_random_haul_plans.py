#!/usr/bin/env python3
"""The haul plan of `mardex-report --haul-plan` against a second LP solver
(SciPy's linprog, HiGHS) on random sheets with random borrow pits and waste
sites, written from the plan's definition:

  Rows are the Total report's station rows and balance points in order; x
  grows by the station difference from the row before (not into the first
  row after an equation, a step down counts 0).  Row i's TOTAL CUT-VOL and
  ADJUSTED FILL-VOL lie at m_i = (x_{i-1} + x_i) / 2 (m_1 = x_1).  A forced
  balance ends a stretch; moves stay in their stretch.  A site sits at the
  first place along the alignment with its station, in the first stretch
  that reaches it.  A move of v over d (plus the access of its site) costs
  v * P * max(0, d - F) / 100 (+ v * u at a site); cut goes to fill or waste,
  fill comes from cut or borrow, within capacities; never borrow to waste.
  A negative volume (a step back in the stationing) counts as the other kind.

For each run the tool's plan must be feasible (every row's cut and fill
accounted for within 0.01, capacities kept, distances and costs as defined)
and cost what the LP's optimum costs (1e-6 relative, besides the two
decimals printed); a stretch without a feasible plan must be refused naming
it.

usage: compare_random_haul_plans.py TOOL [--random COUNT [SEED]]

The last line printed is "N passed, M failed"; the exit status is 0 only
when M is 0 (77 when SciPy is not installed).
"""

from __future__ import annotations

import os
import random
import sys
import tempfile
from pathlib import Path

try:
    import numpy as np
    from scipy.optimize import linprog
    from scipy.sparse import coo_matrix
except ImportError:
    print("SciPy is not installed: skipped")
    sys.exit(77)

sys.path.insert(0, str(Path(__file__).resolve().parent))
import haul_model  # noqa: E402
import haul_plan_output as plan_output  # noqa: E402
import random_documents  # noqa: E402
import report_model  # noqa: E402


def volumes(row, cut, fill):
    """A negative volume (a step back in the stationing) is the other kind."""
    c, f = float(cut), float(fill)
    row["cut"] = max(c, 0.0) + max(-f, 0.0)
    row["fill"] = max(f, 0.0) + max(-c, 0.0)
    return row


def report_rows(text):
    """Station rows and balance points: station, text, cut, fill, fb, ah, x, m."""
    rows = [volumes({"station": r["station"], "text": r["text"], "fb": bool(r.get("fb")), "ah": bool(r.get("ah"))},
                    r["cut"], r["adj"]) for r in haul_model.parse_report(text)]
    x = 0.0
    for i, r in enumerate(rows):
        if i and not r["ah"]:
            x += max(r["station"] - rows[i - 1]["station"], 0.0)
        r["x"] = x
        r["m"] = x if i == 0 else (rows[i - 1]["x"] + x) / 2
    return rows


def stretches_of(rows):
    out, current = [], []
    for r in rows:
        current.append(r)
        if r["fb"]:
            out.append(current)
            current = []
    if current:
        out.append(current)
    return out


def place(rows, station):
    for i, r in enumerate(rows):
        if i and not r["ah"] and r["x"] > rows[i - 1]["x"] and rows[i - 1]["station"] < station < r["station"]:
            return rows[i - 1]["x"] + station - rows[i - 1]["station"]
        if r["station"] == station:
            return r["x"]
    return None


def random_sites(rng, rows):
    sites = []
    # Most sheets get a pit and a site without limits, so most plans exist.
    open_pair = 2 if rng.random() < 0.6 else 0
    kinds = [True, False][:open_pair] + [rng.random() < 0.5 for _ in range(rng.choice([0, 1, 2, 2, 3]))]
    for k, borrow in enumerate(kinds):
        if rng.random() < 0.3:
            station = rng.choice(rows)["station"]
        else:
            i = rng.randrange(len(rows))
            a, b = rows[i - 1]["station"] if i else rows[0]["station"], rows[i]["station"]
            station = round(a + (b - a) * rng.random(), 3) if b > a and not rows[i]["ah"] else b
        sites.append({"name": f"S{k} {rng.choice(['Pit', 'Lot', 'Creek', 'Tip'])}", "borrow": borrow,
                      "station": station, "access": round(rng.uniform(0, 400), 1) if rng.random() < 0.7 else 0.0,
                      "capacity": None if rng.random() < (0.8 if k < open_pair else 0.3)
                      else round(rng.uniform(0, 3000), 2),
                      "cost": round(rng.uniform(0, 12), 2) if rng.random() < 0.8 else 0.0})
    return sites


def sites_text(sites):
    lines = ["name,kind,station,access,capacity,unit_cost"]
    for s in sites:
        cap = "" if s["capacity"] is None else f"{s['capacity']:.2f}"
        lines.append(f"{s['name']},{'borrow' if s['borrow'] else 'waste'},{haul_model.station_text(s['station'])},"
                     f"{s['access']},{cap},{s['cost']:.2f}")
    return "\n".join(lines) + "\n"


def overhaul(d, F, P):
    return P * max(0.0, d - F) / 100


def least_cost(rows, sites, F, P):
    """The optimum of one stretch, or None when it has no feasible plan."""
    cuts = [r for r in rows if r["cut"] > 0]
    fills = [r for r in rows if r["fill"] > 0]
    pits = [s for s in sites if s["borrow"]]
    tips = [s for s in sites if not s["borrow"]]
    cost, a_rows, a_cols, ub_rows, ub_cols = [], [], [], [], []
    n_eq = len(cuts) + len(fills)

    def var(c, eq=(), ub=()):
        j = len(cost)
        cost.append(c)
        for i in eq:
            a_rows.append(i)
            a_cols.append(j)
        for i in ub:
            ub_rows.append(i)
            ub_cols.append(j)

    for i, c in enumerate(cuts):
        for j, f in enumerate(fills):
            var(overhaul(abs(c["m"] - f["m"]), F, P), eq=(i, len(cuts) + j))
        for k, t in enumerate(tips):
            var(overhaul(abs(c["m"] - t["x"]) + t["access"], F, P) + t["cost"], eq=(i,), ub=(k,))
    for k, p in enumerate(pits):
        for j, f in enumerate(fills):
            var(overhaul(abs(p["x"] - f["m"]) + p["access"], F, P) + p["cost"], eq=(len(cuts) + j,),
                ub=(len(tips) + k,))
    if n_eq == 0:
        return 0.0
    if not cost:
        return None
    n = len(cost)
    a_eq = coo_matrix((np.ones(len(a_rows)), (a_rows, a_cols)), shape=(n_eq, n))
    b_eq = [c["cut"] for c in cuts] + [f["fill"] for f in fills]
    caps = [(i, s["capacity"]) for i, s in enumerate(tips + pits) if s["capacity"] is not None]
    kwargs = {}
    if caps:
        keep = {i: r for r, (i, _) in enumerate(caps)}
        rr = [(keep[i], j) for i, j in zip(ub_rows, ub_cols) if i in keep]
        kwargs["A_ub"] = coo_matrix((np.ones(len(rr)), ([r for r, _ in rr], [j for _, j in rr])), shape=(len(caps), n))
        kwargs["b_ub"] = [c for _, c in caps]
    res = linprog(cost, A_eq=a_eq, b_eq=b_eq, bounds=(0, None), method="highs", **kwargs)
    if res.status == 2:
        return None
    if res.status != 0:
        raise RuntimeError(res.message)
    return float(res.fun)


def check_stretch(rows, sites, got, F, P):
    """Problems of the tool's plan of one stretch (feasibility, distances, costs)."""
    by_text = {}
    for r in rows:
        by_text.setdefault(r["text"], []).append(r)
    named = {s["name"]: s for s in sites}
    shipped, received, used, terms = {}, {}, {}, {}
    for mv in got["moves"]:
        v, d = mv["volume"], mv["distance"]
        if mv["kind"] == "move":
            if mv["from"] not in by_text or mv["to"] not in by_text:
                return f"move between {mv['from']} and {mv['to']}: not rows of the stretch"
            ends = [abs(a["m"] - b["m"]) for a in by_text[mv["from"]] for b in by_text[mv["to"]]]
            a_text, b_text, site = mv["from"], mv["to"], None
        else:
            borrow = mv["kind"] == "borrow"
            name, text = (mv["from"], mv["to"]) if borrow else (mv["to"], mv["from"])
            site = named.get(name)
            if site is None or site["borrow"] != borrow or text not in by_text:
                return f"{mv['kind']} {mv['from']} -> {mv['to']}: no such site or row in the stretch"
            ends = [abs(r["m"] - site["x"]) + site["access"] for r in by_text[text]]
            a_text, b_text = (None, text) if borrow else (text, None)
            used[name] = used.get(name, 0.0) + v
            terms[name] = terms.get(name, 0) + 1
        if not any(abs(e - d) <= 0.006 for e in ends):
            return f"{mv['kind']} {mv['from']} -> {mv['to']}: distance {d}, expected one of {ends[:4]}"
        if abs(mv["overhaul"] - v * overhaul(d, F, P)) > P / 100 * (0.005 * max(0.0, d - F) + 0.005 * v) + 0.006:
            return f"{mv['kind']} {mv['from']} -> {mv['to']}: overhaul cost {mv['overhaul']}"
        if abs(mv["site"] - (v * site["cost"] if site else 0.0)) > 0.005 * (site["cost"] if site else 0) + 0.006:
            return f"{mv['kind']} {mv['from']} -> {mv['to']}: site cost {mv['site']}"
        if a_text:
            shipped[a_text] = shipped.get(a_text, 0.0) + v
            terms[a_text, 0] = terms.get((a_text, 0), 0) + 1
        if b_text:
            received[b_text] = received.get(b_text, 0.0) + v
            terms[b_text, 1] = terms.get((b_text, 1), 0) + 1
    for text, rs in by_text.items():
        for side, want, have in ((0, sum(r["cut"] for r in rs), shipped), (1, sum(r["fill"] for r in rs), received)):
            if abs(have.get(text, 0.0) - want) > 0.01 + 0.005 * terms.get((text, side), 0):
                return f"{text}: {'cut placed' if side == 0 else 'fill brought'} {have.get(text, 0.0):.2f}, expected {want:.2f}"
    for name, v in used.items():
        cap = named[name]["capacity"]
        if cap is not None and v > cap + 0.01 + 0.005 * terms[name]:
            return f"{name}: {v:.2f} over its capacity {cap:.2f}"
    return None


INFEASIBLE = [0]


def check(tool, folder: Path, doc: Path, sheet, rng):
    try:
        text, _, _ = report_model.run(str(doc), sheet_no=sheet)
    except report_model.Fault:
        return None  # the report tests cover the refusal
    rows = report_rows(text)
    sites = random_sites(rng, rows) if rows else []
    sites_file = folder / "S.sites.csv"
    sites_file.write_text(sites_text(sites), encoding="utf-8")
    F = rng.choice([0.0, 100.0, round(rng.uniform(0, 1500), 1), round(rng.uniform(0, 600), 1)])
    P = rng.choice([0.0, 2.5, round(rng.uniform(0, 20), 2), round(rng.uniform(0, 20), 2)])
    stretches = stretches_of(rows)
    for s in sites:
        s["x"] = place(rows, s["station"])
        if s["x"] is None:
            return f"generated site {s['name']} off the sheet"
        s["stretch"] = next(k for k, st in enumerate(stretches) if k == len(stretches) - 1 or st[-1]["x"] >= s["x"])
    out = folder / "PLAN.csv"
    proc = plan_output.run(tool, doc, sites_file, out, F, P, sheet)
    err = proc.stderr.decode(errors="replace")
    optima = []
    for k, st in enumerate(stretches):
        best = least_cost(st, [s for s in sites if s["stretch"] == k], F, P)
        if best is None:
            if proc.returncode != 1 or f"infeasible: stretch {k + 1} (" not in err:
                return f"F={F} P={P}: stretch {k + 1} has no plan; tool: {proc.returncode} {err.strip()[:200]}"
            INFEASIBLE[0] += 1
            return None
        optima.append(best)
    if proc.returncode != 0:
        return f"F={F} P={P}: exit status {proc.returncode}: {err.strip()[:300]}"
    got, total = plan_output.read_plan(out)
    if len(got) != len(stretches):
        return f"F={F} P={P}: {len(got)} stretches, expected {len(stretches)}"
    for k, (st, g, best) in enumerate(zip(stretches, got, optima)):
        problem = check_stretch(st, [s for s in sites if s["stretch"] == k], g, F, P)
        if problem:
            return f"F={F} P={P} stretch {k + 1}: {problem}"
        cost = g["summary"]["overhaul"] + g["summary"]["site"]
        if abs(cost - best) > 0.011 + 1e-6 * abs(best):
            return f"F={F} P={P} stretch {k + 1}: cost {cost:.4f}, least {best:.4f}"
    cost, best = total["overhaul"] + total["site"], sum(optima)
    if abs(cost - best) > 0.011 + 1e-6 * abs(best):
        return f"F={F} P={P}: total cost {cost:.4f}, least {best:.4f}"
    return None


def main(argv):
    args = argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    tool = str(Path(args.pop(0)).resolve())
    count, seed = 40, 20261208
    if "--random" in args:
        rest = args[args.index("--random") + 1:]
        count = int(rest[0]) if rest else count
        seed = int(rest[1]) if len(rest) > 1 else seed
    rng = random.Random(seed)
    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="random_plans_") as tmp:
        folder = Path(tmp)
        for i in range(count):
            text = random_documents.document(rng)
            doc = folder / f"doc{i:04d}.mdx"
            doc.write_bytes(text.encode("latin-1"))
            for sheet in range(1, random_documents.sheets_of(text) + 1):
                problem = check(tool, folder, doc, sheet, rng)
                if problem is None:
                    passed += 1
                else:
                    failed += 1
                    if os.environ.get("KEEP_FAILED"):
                        keep = Path(os.environ["KEEP_FAILED"])
                        keep.mkdir(parents=True, exist_ok=True)
                        (keep / doc.name).write_bytes(doc.read_bytes())
                        (keep / f"{doc.stem}.s{sheet}.sites.csv").write_bytes((folder / "S.sites.csv").read_bytes())
                    if failed <= 20:
                        print(f"FAIL {doc.name} sheet {sheet}: {problem}")
            doc.unlink()
    print(f"({INFEASIBLE[0]} of them refused as infeasible, as the LP found)")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

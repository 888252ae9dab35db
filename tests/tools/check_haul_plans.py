#!/usr/bin/env python3
"""Check `mardex-report --haul-plan` against the sample plans of a cases
folder.

usage: check_haul_plans.py TOOL CASES_DIR

Every NAME.plan.json lists parameter sets for NAME.mdx with NAME.sites.csv:
either the least cost (`expected_cost`, `stretch_costs`, `leh`) or the
reason the plan must be refused (`refused`: the message the tool prints,
exit status 1, no table written).  Plans are not unique, only their cost:
the total and each stretch's cost must match within 0.01 (two decimals
printed).  The last line printed is "N passed, M failed"; the exit status is
0 only when M is 0.
"""

from __future__ import annotations

import json
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import haul_plan_output as plan_output  # noqa: E402


def close(a, b):
    return abs(a - b) <= 0.011 + 1e-9 * abs(b)


def check(tool, cases: Path, name: str, case: dict, out: Path):
    sites = cases / f"{name}.sites.csv"
    proc = plan_output.run(tool, (cases / f"{name}.mdx").resolve(), sites.resolve() if sites.exists() else None,
                           out, case["F"], case["P"], case.get("sheet"))
    err = proc.stderr.decode(errors="replace")
    if "refused" in case:
        if proc.returncode != 1:
            return f"exit status {proc.returncode}, expected a refusal"
        if case["refused"] not in err:
            return f"message {err.strip()!r}, expected {case['refused']!r}"
        if out.exists():
            return "a table was written"
        return None
    if proc.returncode != 0:
        return f"exit status {proc.returncode}: {err.strip()[:300]}"
    stretches, total = plan_output.read_plan(out)
    cost = total["overhaul"] + total["site"]
    if not close(cost, case["expected_cost"]):
        return f"total cost {cost:.2f}, expected {case['expected_cost']:.2f}"
    got = [s["summary"]["overhaul"] + s["summary"]["site"] for s in stretches]
    if len(got) != len(case["stretch_costs"]) or not all(map(close, got, case["stretch_costs"])):
        return f"stretch costs {got}, expected {case['stretch_costs']}"
    want = [(b, w, s, d) for b, w, s, d in case["leh"]]
    have = plan_output.limits(proc.stdout.decode(errors="replace"))
    if len(have) != len(want) or any(h[:3] != tuple(w[:3]) or (h[3] is None) != (w[3] is None)
                                     or (h[3] is not None and not close(h[3], w[3])) for h, w in zip(have, want)):
        return f"limits of economic haul {have}, expected {want}"
    return None


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    tool = str(Path(argv[1]).resolve())
    cases = Path(argv[2])
    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="haul_plans_") as tmp:
        out = Path(tmp) / "PLAN.csv"
        for plan_file in sorted(cases.glob("*.plan.json")):
            name = plan_file.name[:-len(".plan.json")]
            for i, case in enumerate(json.loads(plan_file.read_text(encoding="utf-8"))):
                problem = check(tool, cases, name, case, out)
                if problem is None:
                    passed += 1
                else:
                    failed += 1
                    print(f"FAIL {name} #{i + 1} (F={case['F']}, P={case['P']}): {problem}")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Compare `mardex-report --save-as` on random LandXML files with the model.

usage: compare_random_landxml.py TOOL COUNT [SEED]

Each file has one to three alignments of random sections: given areas or
ground and design surfaces (point lists or point elements, crossing lines,
different extents, vertical steps), some with station equations. The tool's
rows must match the model's (stations within 0.001, areas within 0.005).
"""

from __future__ import annotations

import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from landxml_model import cut_fill, rows  # noqa: E402
from sheet_documents import read_document, station_value  # noqa: E402


def surface(rng):
    left, right = rng.uniform(-60, -5), rng.uniform(5, 60)
    n = rng.randint(2, 9)
    xs = sorted(round(rng.uniform(left, right), 3) for _ in range(n))
    points = [(x, round(rng.uniform(90, 110), 3)) for x in xs]
    if rng.random() < 0.3 and len(points) > 2:  # a vertical step
        i = rng.randrange(1, len(points) - 1)
        points.insert(i + 1, (points[i][0], round(points[i][1] + rng.uniform(-5, 5), 3)))
    return points


def surface_xml(tag, name, points, rng):
    if rng.random() < 0.5:
        inner = "<PntList2D>" + " ".join(f"{x} {y}" for x, y in points) + "</PntList2D>"
    else:
        inner = "".join(f"<CrossSectPnt>{x} {y}</CrossSectPnt>" for x, y in points)
    return f'<{tag} name="{name}">{inner}</{tag}>'


def make_file(rng):
    metric = rng.random() < 0.5
    units = "<Metric/>" if metric else "<Imperial/>"
    xml = [f'<?xml version="1.0"?>\n<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2">'
           f"<Units>{units}</Units><Alignments>"]
    expected = []
    for a in range(rng.randint(1, 3)):
        name = f"Line {a + 1}"
        sta = rng.choice([0, 1000, 12350])
        sections = []
        body = []
        for _ in range(rng.randint(1, 40)):
            sta += rng.choice([10, 20, 25, 50])
            if rng.random() < 0.3:
                cut, fill = round(rng.uniform(0, 500), 3), round(rng.uniform(0, 80), 3)
                body.append(f'<CrossSect sta="{sta}" areaCut="{cut}" areaFill="{fill}"/>')
            else:
                g, d = surface(rng), surface(rng)
                body.append(f'<CrossSect sta="{sta}">' + surface_xml("CrossSectSurf", "Existing Ground", g, rng) +
                            surface_xml(rng.choice(["CrossSectSurf", "DesignCrossSectSurf"]), "Top", d, rng) +
                            "</CrossSect>")
                measured = cut_fill(g, d)
                if measured is None:  # left out with a warning
                    continue
                cut, fill = measured
            sections.append((sta, cut, fill))
        equations = []
        if len(sections) > 3 and rng.random() < 0.5:
            i = rng.randrange(1, len(sections))
            internal = sections[i][0] if rng.random() < 0.3 else (sections[i - 1][0] + sections[i][0]) / 2
            back = internal
            equations.append((internal, back, back + rng.choice([-30, 40, 1000])))
        eq_xml = "".join(f'<StaEquation staInternal="{i}" staBack="{b}" staAhead="{h}"/>' for i, b, h in equations)
        xml.append(f'<Alignment name="{name}">{eq_xml}<CrossSects>' + "\n".join(body) + "</CrossSects></Alignment>")
        if sections:  # an alignment without usable sections makes no sheet
            expected.append((name, rows(sections, equations)))
    xml.append("</Alignments></LandXML>\n")
    return "\n".join(xml), 1 if metric else 0, expected


def compare(unit, expected, got):
    if got["unit"] != unit:
        return "unit"
    if [s["name"] for s in got["sheets"]] != [n for n, _ in expected]:
        return "tab names"
    for sheet, (name, want) in zip(got["sheets"], expected):
        if len(sheet["rows"]) != len(want):
            return f"{name}: {len(sheet['rows'])} rows, model {len(want)}"
        for i, (g, (station, code, cut, fill)) in enumerate(zip(sheet["rows"], want)):
            if abs(station_value(g[0]) - station) > 0.001 or g[1] != code:
                return f"{name} row {i + 1}: {g[:2]}, model {station} {code}"
            if abs(float(g[2]) - cut) > 0.005 + 1e-6 or abs(float(g[4]) - fill) > 0.005 + 1e-6:
                return f"{name} row {i + 1}: {g[2]} {g[4]}, model {cut} {fill}"
    return None


def main() -> int:
    tool, count = sys.argv[1], int(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 13)
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for n in range(count):
            text, unit, expected = make_file(rng)
            source, out = os.path.join(tmp, f"r{n}.xml"), os.path.join(tmp, f"r{n}.mdx")
            with open(source, "w") as f:
                f.write(text)
            run = subprocess.run([tool, "--save-as", out, source], capture_output=True, text=True, timeout=60)
            if not expected:  # nothing usable: the file is refused
                problem = None if run.returncode == 1 else f"exit {run.returncode}, expected a refusal"
            else:
                problem = f"exit {run.returncode}: {run.stderr.strip()}" if run.returncode else \
                    compare(unit, expected, read_document(out))
            if problem:
                failed += 1
                print(f"FAIL file {n} (kept as {source}.failed): {problem}")
                os.replace(source, os.path.join(os.getcwd(), f"random_landxml_{n}.xml.failed"))
    print(f"{count - failed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

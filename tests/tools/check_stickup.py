#!/usr/bin/env python3
"""Draws stick-up sheets with the tool and checks the design file against a
layout computed here, independently of the program's code.

usage: check_stickup.py TOOL CASES_DIR [RANDOM_COUNT [MORE_DIRS...]]

For every *.mdx and *.log of the case folders whose combined report
succeeds, and for
RANDOM_COUNT generated documents, runs
    TOOL --stickup OUT.dgn --output OUT.rpt DOC.mdx
reads OUT.dgn back with ogrinfo and compares every text (string and
position within 0.01 master units), the sheet labels, project and control
numbers and the border at every sheet with the layout of OUT.rpt.
Ends with "N passed, M failed".
"""
import os
import random
import re
import subprocess
import sys
import shutil
import tempfile

TOL = 0.01
LOWEST = 4910.0


def split_lines(data):
    text = data.decode("latin-1")
    lines = re.split(r"\r\n|\r|\n", text)
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def sections_of(lines):
    """[(project, control, tab, body lines)] of a combined report."""
    out = []
    i = 0
    while i + 6 <= len(lines):
        head = lines[i:i + 6]
        i += 6
        body = []
        while i < len(lines) and not lines[i].startswith("#"):
            body.append(lines[i])
            i += 1
        i += 1  # the closing line
        out.append((head[1][13:].strip(" "), head[2][13:].strip(" "), head[3][9:].strip(" "), body))
    return out


CAPTIONS = None


def header_block(x, y, tab, captions):
    items = [(" " * 20 + "BASELINE/TAB NAME: " + tab, x, y)]
    for step, text in zip((40, 15, 15, 15, 15), captions):
        y -= step
        items.append((text, x, y))
    return items, y - 25


def expected_layout(sections, captions):
    """Texts in drawing order: (text, x, y, colour); sheets: [(n, project, control)]."""
    texts, sheets = [], []
    tables = 0
    y = rows = None
    x = None

    def new_table(project, control, tab):
        nonlocal tables, x, y, rows
        tables += 1
        sheet = (tables + 1) // 2
        left = tables % 2 == 1
        x = (1000.0 if left else 2585.0) + 4000.0 * sheet
        if left:
            sheets.append((sheet, project, control))
            texts.append(("STIK_SHEET_#_%02d" % sheet, x - 100, 7200.0, 34))
            texts.append((project, x + 2889.6, 6957.0, 34))
            texts.append((control, x + 2905.64, 6934.48, 34))
        block, y = header_block(x, 6925.0, tab, captions)
        texts.extend((t, bx, by, 36) for t, bx, by in block)
        rows = 0

    for index, (project, control, tab, body) in enumerate(sections):
        for k, line in enumerate(body):
            if tables == 0:
                new_table(project, control, tab)
            elif k == 0:
                # The closing line of the section before is read as the next row.
                if rows == 54 or rows + 1 >= 46 or y - 150 < LOWEST:
                    new_table(project, control, tab)
                else:
                    block, y = header_block(x, y - 25, tab, captions)
                    texts.extend((t, bx, by, 36) for t, bx, by in block)
            elif rows == 54 or y < LOWEST:
                new_table(project, control, tab)
            texts.append((line, x, y, 36))
            rows += 1
            y -= 30
    return texts, sheets


FEATURE = re.compile(r"^OGRFeature\(")


def read_design(path):
    out = subprocess.run(["ogrinfo", "-al", "-q", path], capture_output=True)
    if out.returncode != 0:
        raise RuntimeError("ogrinfo failed on %s: %s" % (path, out.stderr.decode()))
    elements, cur = [], None
    for raw in out.stdout.decode("latin-1").split("\n"):
        if FEATURE.match(raw):
            cur = {"text": None, "colour": 0, "points": []}
            elements.append(cur)
            continue
        if cur is None:
            continue
        line = raw[2:] if raw.startswith("  ") else raw
        if line.startswith("Text (String) = "):
            cur["text"] = line[len("Text (String) = "):]
        elif line.startswith("ColorIndex (Integer) = "):
            cur["colour"] = int(line.split("=")[1])
        elif re.match(r"^(POINT|LINESTRING|POLYGON|MULTI)", line):
            nums = re.findall(r"-?\d+(?:\.\d+)?(?:e[-+]?\d+)?", line)
            cur["points"] = [(float(nums[i]), float(nums[i + 1])) for i in range(0, len(nums) - 1, 2)]
    return elements


def check(tool, document, workdir, captions, border_count):
    design = os.path.join(workdir, "out.dgn")
    report = os.path.join(workdir, "out.rpt")
    for p in (design, report):
        if os.path.exists(p):
            os.remove(p)
    run = subprocess.run([tool, "--stickup", design, "--output", report, document], capture_output=True)
    if run.returncode != 0:
        return None  # a document whose report is refused: nothing to draw
    problems = []
    m = re.match(r"^(.*): (\d+) sheets$", run.stdout.decode().strip())
    if not m or m.group(1) != design:
        problems.append("unexpected output %r" % run.stdout.decode())
    with open(report, "rb") as f:
        sections = sections_of(split_lines(f.read()))
    want, sheets = expected_layout(sections, captions)
    if m and int(m.group(2)) != len(sheets):
        problems.append("tool says %s sheets, layout has %d" % (m.group(2), len(sheets)))
    elements = read_design(design)
    got = [e for e in elements if e["text"] is not None and e["colour"] != 0]
    if len(got) != len(want):
        problems.append("%d texts drawn, %d expected" % (len(got), len(want)))
    for g, (text, x, y, colour) in zip(got, want):
        gx, gy = g["points"][0]
        # GDAL's text writer drops a line's trailing blanks (they draw nothing).
        if g["text"] != text.rstrip(" ") or abs(gx - x) > TOL or abs(gy - y) > TOL or g["colour"] != colour:
            problems.append("drawn %r at (%.4f, %.4f) c%d, expected %r at (%.4f, %.4f) c%d"
                            % (g["text"], gx, gy, g["colour"], text, x, y, colour))
            break
    border = [e for e in elements if e["colour"] == 0]
    for n, _, _ in sheets:
        mx = 900.0 + 4000.0 * n
        mine = [e for e in border if e["points"] and min(p[0] for p in e["points"]) >= mx - TOL
                and max(p[0] for p in e["points"]) <= mx + 3400 + TOL]
        if len(mine) != border_count:
            problems.append("sheet %d has %d border elements, expected %d" % (n, len(mine), border_count))
            continue
        low = (min(p[0] for e in mine for p in e["points"]), min(p[1] for e in mine for p in e["points"]))
        if abs(low[0] - mx) > TOL or abs(low[1] - 4900.0) > TOL:
            problems.append("sheet %d border lower-left at %s" % (n, low))
    return problems


def random_document(rng, path):
    sheets = rng.randint(1, 26)
    out = ["[VERSION 2002]", "[ENGLISH]", "designer", "PRJ-%d" % rng.randint(1, 999), "C%d" % rng.randint(1, 9999)]
    for s in range(sheets):
        n = rng.choice([1, 2, 10, 39, 40, 44, 45, 46, 52, 53, 54, 55, 60, 100, 107, 108, 109, rng.randint(1, 400)])
        out += ["[END AREA %d T%d]" % (s + 1, s + 1), "#BALANCE FACTOR", "1.00", "#MEASURED IN EMBANKMENT", " 0 ",
                "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)"]
        station = rng.randint(0, 500) * 100
        for _ in range(n):
            station += rng.choice([25, 50, 100])
            out.append("%d+%02d.000           -  %10.2f  %10.2f  %10.2f  %10.2f" % (
                station // 100, station % 100, rng.uniform(0, 300), 0, rng.uniform(0, 300), 0))
    out.append("[LAST RECORD]")
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    tool, cases = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    border_file = os.path.join(os.path.dirname(os.path.abspath(tool)), "border2l.dgn")
    border_count = len(read_design(border_file))
    captions = None
    passed = failed = 0
    rng = random.Random(20261207)
    with tempfile.TemporaryDirectory() as work:
        docs = []
        for folder in [cases] + sys.argv[4:]:
            docs += sorted(os.path.join(folder, n) for n in os.listdir(folder)
                           if (n.endswith(".mdx") or n.endswith(".log")) and ".saved." not in n)
        for i in range(count):
            p = os.path.join(work, "random%02d.mdx" % i)
            random_document(rng, p)
            docs.append(p)
        for doc in docs:
            if captions is None:
                captions = CAPTION_LINES
            # A log writes its companion next to itself: work on a copy.
            local = os.path.join(work, "in_" + os.path.basename(doc))
            if os.path.dirname(doc) != work:
                shutil.copyfile(doc, local)
                doc = local
            problems = check(tool, doc, work, captions, border_count)
            if problems is None:
                continue
            if problems:
                failed += 1
                print("FAIL %s: %s" % (os.path.basename(doc), "; ".join(problems[:3])))
            else:
                passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 and passed > 0 else 1


CAPTION_LINES = [
    "Station         **************Excavation******   **********************Embankment*************************",
    "                CUT        ADDED      TOTAL       FILL      ADDED       TOTAL     BALANCE   ADJUSTED      MASS",
    "               AREA        CUT        CUT-VOL     AREA      FILL        FILL-VOL  FACTOR    FILL-VOL      ORDINATE",
    "               Sq.Ft.      Cu.Yds.    Cu.Yds.    Sq.Ft.    Cu.Yds.     Cu.Yds.              Cu.Yds.       Cu.Yds.",
    "*" * 95,
]

if __name__ == "__main__":
    sys.exit(main())

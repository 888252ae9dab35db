#!/usr/bin/env python3
"""An independent model of the sheet report: reads a sheet document, does
what the window does for File > Open, a tab click and Print Preview > Total
or Accumulated (or the report step of Stickup Sheets), and returns the report
text byte for byte.  It shares no code with the program; it is the second
opinion the random-document comparison (compare_random_reports.py) asks for.

usage: report_model.py [--accumulated] [--sheet N | --all-sheets] DOC.mdx
prints the report to standard output, or "ERROR" and exit status 1 when the
program must refuse (a fault of the computation).
"""

from __future__ import annotations

import re
import sys
from decimal import Decimal, ROUND_HALF_UP

CRLF = "\r\n"
NUMBER = re.compile(r"^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$")


class Fault(Exception):
    """A run-time fault of the computation: no report."""


# ---------------------------------------------------------------- number texts

def reads_as_number(text: str) -> bool:
    return NUMBER.match(text) is not None


def number_of(text: str) -> float:
    return float(text.strip(" \t"))


def _rounded(x: float, places: str) -> Decimal:
    # half away from zero on the shortest decimal form of the double
    return Decimal(repr(x)).quantize(Decimal(places), rounding=ROUND_HALF_UP)


def mask_station(x: float) -> str:
    d = _rounded(x, "0.001")
    neg = d < 0
    whole, frac = f"{abs(d):.3f}".split(".")
    whole = whole.lstrip("0").rjust(4, "0")
    return ("-" if neg else "") + whole[:-2] + "+" + whole[-2:] + "." + frac


def mask_area(x: float) -> str:
    d = _rounded(x, "0.01")
    neg = d < 0
    return ("-" if neg else "") + f"{abs(d):.2f}"


def mask_station_text(text: str) -> str:
    return mask_station(number_of(text)) if reads_as_number(text) else text


def mask_area_text(text: str) -> str:
    return mask_area(number_of(text)) if reads_as_number(text) else text


def station_value(text: str) -> float:
    """StationToNumber: never fails, unreadable texts count 0."""
    if "+" not in text:
        if text in ("", "."):
            return 0.0
        return number_of(text) if reads_as_number(text) else 0.0
    i = text.index("+")
    rest = text[i + 1:]
    if rest != "" and not reads_as_number(rest):
        return 0.0
    r = number_of(rest) if rest else 0.0
    if i == 0:
        return r
    head = text[:i]
    if head != "" and not reads_as_number(head):
        return 0.0
    h = number_of(head) if head else 0.0
    if head.lstrip(" \t").startswith("-"):
        return -(abs(h) * 100 + r)
    return h * 100 + r


def shortest(x: float) -> str:
    """The general text of a number."""
    if x == int(x) and abs(x) < 1e15:
        return str(int(x))
    t = "%.15g" % x
    if "e" in t:
        m, e = t.split("e")
        sign, digits = e[0], e[1:].lstrip("0").rjust(2, "0")
        return m + "E" + sign + digits
    return t


def right(text: str, width: int) -> str:
    return text if len(text) >= width else " " * (width - len(text)) + text


# ---------------------------------------------------------------- the document

class Sheet:
    def __init__(self):
        self.name = ""
        self.factor = "1.00"
        self.embankment = 0
        self.rows = []  # lists of six texts


class Document:
    def __init__(self):
        self.metric = 0
        self.descriptions = ["", "", ""]
        self.sheets = []


def split_row(line: str):
    line = line.replace("\t", " ")
    fields = []
    rest = line
    for _ in range(5):
        rest = rest.lstrip(" ")
        if rest == "":
            break
        cut = rest.find(" ")
        if cut < 0:
            fields.append(rest)
            rest = ""
            break
        fields.append(rest[:cut])
        rest = rest[cut:]
    else:
        last = rest.lstrip(" ").rstrip(" ")
        if last != "":
            fields.append(last)
    fields = [f[:15] for f in fields]
    fields += [""] * (6 - len(fields))
    fields[0] = mask_station_text(fields[0])
    for k in range(2, 6):
        fields[k] = mask_area_text(fields[k])
    return fields


def read_document(path: str) -> Document:
    data = open(path, "rb").read().decode("latin-1")
    lines = re.split(r"\r\n|\r|\n", data)
    if lines and lines[-1] == "":
        lines.pop()
    doc = Document()
    current = None
    seen_unit = False
    desc_index = 0
    expect = None  # "factor" or "embankment"
    for line in lines:
        if expect == "factor":
            expect = None
            if not (line.startswith("#") or line.startswith("[")):
                current.factor = shortest(number_of(line)) if reads_as_number(line) else line
                continue
        if expect == "embankment":
            expect = None
            if reads_as_number(line):
                current.embankment = 1 if round(number_of(line)) == 1 else 0
                if current.embankment == 1:
                    current.factor = "01.000"
                continue
        if line.startswith("["):
            inner = line[1:line.find("]")] if "]" in line else line[1:]
            if inner in ("VERSION 2002", "ENGLISH", "METRIC"):
                doc.metric = 1 if inner == "METRIC" else 0
                seen_unit = inner != "VERSION 2002" or seen_unit
                desc_index = 0
                continue
            words = inner.split(" ")
            if words[0] == "END":
                current = Sheet()
                m = re.match(r"^END +AREA +\S+ ?(.*)$", inner)
                current.name = m.group(1).lstrip(" ") if m else ""
                doc.sheets.append(current)
                desc_index = 3
                continue
            if words[0] == "LAST":
                break
            continue
        if current is None and seen_unit and desc_index < 3:
            doc.descriptions[desc_index] = line
            desc_index += 1
            continue
        if line == "#BALANCE FACTOR":
            expect = "factor"
            continue
        if line == "#MEASURED IN EMBANKMENT":
            expect = "embankment"
            continue
        if current is not None and "+" in line and not line.startswith("#"):
            current.rows.append(split_row(line))
    if not doc.sheets:
        doc.sheets.append(Sheet())
    for i, sh in enumerate(doc.sheets):
        if sh.name == "":
            sh.name = f"Mardex {i + 1}"
    return doc


# ---------------------------------------------------------------- the report

R1 = "*+" + "*" * 113
R2 = "*+" + "*" * 112
R3 = "**+" + "*" * 112
R4 = "*+" + "*" * 10 + " " + "*" * 105
R5 = "*+" + "*" * 8 + " " + "*" * 109


def N(x) -> str:
    if isinstance(x, str):
        return right(mask_area_text(x), 9)
    return right(mask_area(float(x)), 9)


def S(x) -> str:
    if isinstance(x, str):
        return mask_station_text(x)
    return mask_station(float(x))


def Z(x) -> str:
    return right(x if isinstance(x, str) else shortest(float(x)), 9)


def zones(fields) -> str:
    out = fields[0]
    for f in fields[1:]:
        out += " " * ((len(out) // 14 + 1) * 14 - len(out))
        out += f
    return out


def whole(x: float) -> int:
    r = round(x)  # halves to even
    if not -2**31 <= r <= 2**31 - 1:
        raise Fault("Overflow")
    return r


class Totals:
    def __init__(self):
        self.ue = self.ae = self.uf = self.af = 0.0


def sheet_report(doc: Document, sheet: Sheet, tab_name: str, check1: int,
                 accumulated: bool, totals: Totals, messages: list) -> str:
    if not reads_as_number(sheet.factor):
        raise Fault("Type mismatch")
    factor = number_of(sheet.factor)
    k = 50.0 if doc.metric else 1.8518519
    rows = sheet.rows
    n = len(rows)

    def cell(r, c):
        if r < 0:
            raise Fault("row before the first")
        return rows[r][c] if r < n else ("-1" if c == 0 and r == n else "")

    def sta(r):
        return station_value(cell(r, 0))

    def area(r, c):
        return station_value(cell(r, c))

    def code(r):
        return cell(r, 1).strip(" ")

    out = []
    line = out.append
    line("#Designer= " + doc.descriptions[0])
    line("#Project No.= " + doc.descriptions[1])
    line("#Control No.= " + doc.descriptions[2])
    line("#TabName= " + tab_name)
    line("#System= " + str(doc.metric))
    line("#Embankment= " + str(check1))

    skip_on = skip_state = fb = gap = overlap = two_back = 0
    mass = 0
    pac = paf = pc = pf = pa = 0.0
    rc = rf = ra = 0.0

    def get_sum(r, c, mode):
        nonlocal overlap
        if mode == "OE":
            return area(r - 2, c) + area(r, c)
        if mode == "SA":
            return area(r - 1, c)
        if skip_state == 2:
            return area(r, c)
        if gap == 1:
            return area(r - 1, c) + area(r, c)
        if overlap == 1:
            s = area(r - 1, c) + area(r, c)
            overlap = 0
            return s
        if two_back == 1:
            return area(r - 2, c) + area(r, c)
        return area(r - 1, c) + area(r, c)

    R = 0
    while cell(R, 0) != "-1":
        if R == 0:
            station = sta(0)
            prev_station = station
            length = cs = fs = 0.0
            ac, af = area(0, 3), area(0, 5)
        else:
            c = code(R)
            if c == "SA":
                if skip_on == 0:
                    skip_on, skip_state = 1, 1
                else:
                    skip_on, skip_state = 0, 2
            elif c == "FB":
                fb = 1
            elif c == "BK":
                if code(R + 1) == "AH":
                    messages.append("Gap Equation where BK occures before AH")
                    gap = 1
                else:
                    gap = 2
                    length = cs = fs = 0.0
            elif c == "AH":
                if code(R + 1) == "BK":
                    messages.append("overlap equation Where AH occures before BK")
                    messages.append("Ahead Station First when Station Equation occures")
                    overlap = 1
                else:
                    overlap = 2
                    length = cs = fs = 0.0

            if skip_on == 1 and skip_state == 1:
                line(R1)
                line("+Skip Area From Station " + S(sta(R)))
                line(R2)
                station, prev_station = sta(R), sta(R - 1)
                length = (sta(R) - sta(R - 1)) / 100
                cs, fs = get_sum(R, 2, "SA"), get_sum(R, 4, "SA")
                ac, af = area(R, 3), area(R, 5)
                skip_state = 0
            elif skip_on == 0 and skip_state == 2:
                line(R3)
                line("+Skip Area To Station " + S(sta(R)))
                line(R3)
                station, prev_station = sta(R), sta(R - 1)
                length = (sta(R) - sta(R - 1)) / 100
                cs = get_sum(R, 2, "NA")
                fs = get_sum(R, 4, "NA")
                ac, af = area(R, 3), area(R, 5)
                skip_on = skip_state = 0
            elif skip_on == 1 and skip_state == 0:
                station, prev_station = sta(R), sta(R - 1)
                length = cs = fs = ac = af = 0.0
            elif gap == 1:
                station, prev_station = sta(R), sta(R - 1)
                length = (sta(R) - sta(R - 1)) / 100
                cs = get_sum(R, 2, "NA")
                fs = get_sum(R, 4, "NA")
                ac, af = area(R, 3), area(R, 5)
            elif overlap == 2:
                station, prev_station = sta(R), sta(R - 1)
                length = cs = fs = 0.0
                ac, af = area(R, 3), area(R, 5)
                overlap = 0
            elif overlap == 1:
                station, prev_station = sta(R + 1), sta(R - 1)
                length = (sta(R + 1) - sta(R - 1)) / 100
                cs, fs = get_sum(R + 1, 2, "OE"), get_sum(R + 1, 4, "OE")
                ac, af = area(R + 1, 3), area(R + 1, 5)
            elif gap == 2:
                station, prev_station = sta(R - 1), sta(R - 2)
                length = cs = fs = 0.0
                ac, af = area(R - 1, 3), area(R - 1, 5)
                two_back = 1
                gap = 0
            else:
                station, prev_station = sta(R), sta(R - 1)
                length = (sta(R) - sta(R - 1)) / 100
                cs = get_sum(R, 2, "NA")
                fs = get_sum(R, 4, "NA")
                two_back = 0
                ac, af = area(R, 3), area(R, 5)

        cut = whole(ac + length * cs * k)
        fill = whole(length * fs * k)
        adj = whole(af + factor * fill)
        prev_mass = mass
        mass = mass + cut - adj
        if not -2**31 <= mass <= 2**31 - 1:
            raise Fault("Overflow")
        pac += ac
        paf += af
        pc += cut
        pf += fill
        pa += adj
        rc += cut
        rf += fill
        ra += adj
        totals.ue += cut
        totals.ae += cut
        totals.uf += fill
        totals.af += adj

        if fb == 1:
            if mass < 0:
                pac = abs(mass) + af
                paf = paf - af
            elif mass > 0:
                paf = abs(mass) + ac
                pac = pac - ac
            mass = 0
        elif (mass < 0 and prev_mass > 0) or (mass > 0 and prev_mass < 0):
            t = abs(prev_mass) / (abs(prev_mass) + abs(mass))
            bal = S(prev_station + length * t * 100).strip(" ")
            cut_to, cut_rest = whole(t * cut), whole((1 - t) * cut)
            fill_to, fill_rest = whole(t * fill), whole((1 - t) * fill)
            adj_to, adj_rest = whole(adj * t), whole((1 - t) * adj)
            mass_at = whole(prev_mass + cut_to - adj_to)
            zero = N("0.00")
            line(R4)
            line("  ".join([right(S(bal), 8), zero, zero, N(cut_to), N("00.00"), zero,
                            N(fill_to), N(adj_to), N(mass_at)]))
            line(R4)
            line("*+****** Balance Pt at Station " + bal + " *******")
            if accumulated:
                tail = [N(mass_at), N(ra - adj + adj_to)]
                c_, f_ = rc, rf
            else:
                tail = [N(pa - adj + adj_to), N(mass_at)]
                c_, f_ = pc, pf
            line("  ".join(["Bal. Totals", zero, N(pac - ac), N(c_ - cut + cut_to), N("0.00 "),
                            N("0.00 "), N(paf - af), N(f_ - fill + fill_to)] + tail))
            line(R5)
            pac, paf, pc, pf, pa = ac, af, float(cut_rest), float(fill_rest), float(adj_rest)
            cut, fill, adj = cut_rest, fill_rest, adj_rest

        if accumulated:
            v4, v7, v9, v10 = rc, rf, mass, ra
        else:
            v4, v7, v9, v10 = cut, fill, adj, mass
        line("  ".join([right(S(station), 8), N(cell(R, 2)), N(ac), N(v4), N(cell(R, 4)), N(af),
                        N(v7), N(sheet.factor), N(v9), N(v10)]))

        if fb == 1:
            blank = " " * 9
            line(R3)
            line("Fo+rced Balance at Station " + S(station))
            line("   ".join(["Bal. Totals", blank, N(pac), N(pc), blank, N(paf), N(pf), N(pa), N(mass)]))
            line(R3)
            pac = paf = pc = pf = pa = 0.0
            fb = 0
        if gap == 1:
            line(R3)
            line("Eq+uation Sta. " + S(cell(R, 0)).strip(" ") + " BK = " + S(cell(R + 1, 0)).strip(" ") + " AH")
            line(R1)
            gap = 0
        elif overlap == 1:
            line(R3)
            line("Eq+uation Sta. " + S(cell(R + 1, 0)).strip(" ") + " BK = " + S(cell(R, 0)).strip(" ") + " AH")
            line(R3)
            overlap = 0
        R += 1

    line(R1)
    line("+                 G R A N D     S U M M A R Y     T O T A L S")
    line(R1)
    line("+                   Unadjusted  Adjusted        Mult")
    line("+                   Volume      Volume          Factor")
    if doc.metric:
        line("+                   (cubic     (cubic")
        line("+                    meters)    meters)")
    else:
        line("+                   (cu. yd.)   (cu. yd.)")
    line(" +       ---------------------------- ---------- ---------- ------")
    line(zones(["+" + Z("Excavation"), Z(totals.ue), Z(totals.ae), Z("1.0")]))
    line(zones(["+" + Z("Fill"), Z(totals.uf), Z(totals.af), Z(sheet.factor)]))
    line("+        ---------------------------- ---------- ---------- ------")
    line("#" * 65)
    return "".join(x + CRLF for x in out)


def show(sheet: Sheet) -> int:
    """A sheet put into the header fields: the factor box shows the factor
    with two decimals and stores it back; the check box takes the flag."""
    if sheet.embankment == 1:
        sheet.factor = "1.00"
    else:
        sheet.factor = mask_area_text(sheet.factor)
    return sheet.embankment


def pages(text: str) -> int:
    drawn = sum(1 for l in text.split(CRLF)[:-1] if "#" not in l)
    return 1 if drawn <= 44 else 1 + (drawn - 44 + 50) // 51


def run(path: str, accumulated=False, sheet_no=1, all_sheets=False):
    """(report text, pages, messages); raises Fault when no report."""
    doc = read_document(path)
    messages = []
    check1 = show(doc.sheets[0])
    if all_sheets:
        text = ""
        for sh in doc.sheets:
            text += sheet_report(doc, sh, sh.name, check1, False, Totals(), messages)
        return text, pages(text), messages
    if sheet_no > len(doc.sheets):
        raise Fault("no such sheet")
    sh = doc.sheets[sheet_no - 1]
    check1 = show(sh)
    text = sheet_report(doc, sh, sh.name, check1, accumulated, Totals(), messages)
    return text, pages(text), messages


def main(argv):
    accumulated = "--accumulated" in argv
    all_sheets = "--all-sheets" in argv
    sheet_no = int(argv[argv.index("--sheet") + 1]) if "--sheet" in argv else 1
    try:
        text, _, _ = run(argv[-1], accumulated, sheet_no, all_sheets)
    except Fault:
        print("ERROR")
        return 1
    sys.stdout.buffer.write(text.encode("latin-1"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""An independent model of what the program makes of a GEOPAK earthwork log:
File > Open (recognition, the three reading passes, the balance-point
conversion) and then Print Preview > Total or Accumulated on the first
baseline.  Written from the product's description, for comparison with the
tool on many logs.

    run(log_bytes, accumulated) -> Result

Result.refusal is None or the message that ends the run ("not a log",
"no accumulated"); otherwise Result.report, Result.companion (bytes) and
Result.pages.
"""

from __future__ import annotations

from dataclasses import dataclass, field
from decimal import Decimal, InvalidOperation
import re

MARKER = " 1     3     3 Earthwork"
MAX_ENTRIES, MAX_ADJ, MAX_BP = 10000, 1000, 1000
NUMBER = re.compile(r"^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$")


def split_lines(data: bytes) -> list[str]:
    text = data.decode("latin-1")
    lines, start, i = [], 0, 0
    while i < len(text):
        c = text[i]
        if c in "\r\n":
            lines.append(text[start:i])
            if c == "\r" and i + 1 < len(text) and text[i + 1] == "\n":
                i += 1
            start = i + 1
        i += 1
    if start < len(text):
        lines.append(text[start:])
    return lines


def trim(s: str) -> str:
    return s.strip(" ")


def after_eq(s: str) -> str:
    k = s.find("=")
    return s if k < 0 else s[k + 1:]


def is_number(s: str) -> bool:
    return bool(NUMBER.match(s))


@dataclass
class Rec:
    name: str = ""
    note: str = ""
    has_acc: int = 0
    v: dict = field(default_factory=dict)

    def get(self, line, slot):
        return self.v.get((line, slot), "")

    def put(self, line, slot, text):
        if 0 <= line <= 10 and 0 <= slot <= 9:
            self.v[(line, slot)] = text


class EOL(Exception):
    pass


class Lines:
    def __init__(self, lines):
        self.lines, self.i = lines, 0

    def read(self):
        if self.i >= len(self.lines):
            raise EOL
        self.i += 1
        return self.lines[self.i - 1]

    def read_nonempty(self):
        while True:
            line = self.read()
            if trim(line):
                return line


def dashes(s):
    return "----------" in s


class Log:
    def __init__(self):
        self.entries, self.adjust, self.points = {}, {}, {}
        self.summary = Rec()
        self.entry_count = self.line_no = self.bal_count = self.adj_count = 0
        self.unit = 0
        self.accum_mode = 0
        self.baseline = ""
        self.messages = 0

    def entry(self, n):
        return self.entries.setdefault(n, Rec()) if 0 <= n <= MAX_ENTRIES else None

    def point(self, n):
        return self.points.setdefault(n, Rec()) if 0 <= n <= MAX_BP else None


def tokenize(row, rec, kind, line):
    """Returns the line index as the caller keeps it."""
    s = trim(row)
    if s and " " not in s:
        if kind != "summary":
            line += 1
        if rec is not None:
            rec.put(line, 0, s)
        return line
    if rec is None:
        return line
    if not s:
        rec.put(line, 1, "")
        return line
    most = 9 if kind == "entries" else 7
    for k, tok in enumerate([t for t in s.split(" ") if t][:most]):
        rec.put(line, k + 1, tok)
    return line


def parse_entry(line, rec, log):
    s = trim(line)
    k = s.find(" ")
    if k < 0:
        log.messages += 1
        return
    rec.name = s[:k]
    rec.put(0, 0, s[k - 1:])
    n = rec.name
    if n in ("XS-NOPROP", "XS-NOES", "XS-ONESIDE", "SKIP"):
        rec.note = s
    elif n == "at":
        rec.note = "XS-NOELEM No cross-section elements found " + s
    elif n in ("for", "XS-W-DANGPROP"):
        rec.note = "XS-W-DANGPROP Proposed finish grade elements does not connect " + s


def parse_point(line, rec):
    name = after_eq(trim(line))
    if "," in name:
        name = name[:name.index(",")]
    rec.name = name


def pass1(log, lines):
    r = Lines(lines)
    try:
        while True:
            L = r.read()
            if "ADJUSTMENT" in L.upper():
                log.adj_count += 1
                a = log.adj_count
                rec = log.adjust.setdefault(a, Rec()) if a <= MAX_ADJ else None
                L1 = r.read()
                if rec is not None:
                    rec.name = after_eq(L1)
                r.read()
                L3 = r.read()
                if rec is not None:
                    if "EXC" in L3.upper():
                        rec.put(0, 0, after_eq(L3))
                        rec.note = "Exc"
                    elif "FILL" in L3.upper():
                        rec.put(1, 0, after_eq(L3))
                        rec.note = "Fill"
                L = L3
            if "ADD ACCUMULATED" in L.upper():
                log.accum_mode = 1
                log.entry(0).has_acc = 1
            if ("meters)   meters)    meters)" in L
                    or "meters)    meters)    meters)                    meters)   meters)" in L):
                log.unit = 1
            if "EARTHWORKS FOR BASELINE" in L.upper():
                log.baseline = after_eq(L)
            if dashes(L):
                section(log, r)
    except EOL:
        pass


def section(log, r):
    M = r.read()
    if "+" in M:
        kind = "entry"
    elif dashes(M):
        return
    else:
        kind = "row"
    cur = M
    while True:
        if kind == "entry":
            log.line_no = 0
            log.entry_count += 1
            rec = log.entry(log.entry_count)
            if rec is not None:
                parse_entry(cur, rec, log)
            N = r.read_nonempty()
            if "+" in N:
                cur = N
                continue
            if dashes(N):
                return
            cur, kind = N, "row"
        else:
            log.line_no += 1
            log.line_no = tokenize(cur, log.entry(log.entry_count), "entries", log.line_no)
            N = r.read_nonempty()
            cur, kind = N, ("entry" if "+" in N else "row")


def pass2(log, lines):
    r = Lines(lines)
    bi = 0
    try:
        while True:
            L = r.read()
            if not trim(L) or "P O I N T" not in L:
                continue
            X = r.read()
            while "COMPLETE" not in X:
                Y = r.read()
                if dashes(Y):
                    bi = 0
                while True:
                    if "+" in Y:
                        while "+" in Y:
                            bi = 0
                            log.bal_count += 1
                            rec = log.point(log.bal_count)
                            if rec is not None:
                                parse_point(Y, rec)
                            Y = r.read()
                        X = Y
                        break
                    bi += 1
                    bi = tokenize(Y, log.point(log.bal_count), "points", bi)
                    Y = r.read()
    except EOL:
        pass


def pass3(log, lines):
    r = Lines(lines)
    log.line_no = 0
    try:
        while True:
            L = r.read()
            if not trim(L) or "G R A N D" not in L:
                continue
            H = r.read()
            while "B A L A N C E" not in H:
                for _ in range(5 if log.unit == 1 else 4):
                    C = r.read()
                while "S U M M A R Y" not in C:
                    tokenize(C, log.summary, "summary", log.line_no)
                    C = r.read()
                    log.line_no += 1
                H = C
    except EOL:
        pass


def general(d: Decimal) -> str:
    if d == 0:
        return "0"
    t = format(d.normalize(), "f")
    return t


def incremental(log):
    for b in range(1, min(log.bal_count, MAX_BP) + 1):
        if b + 1 > MAX_BP:
            break
        N = log.points.get(b + 1, Rec())
        P = log.points.get(b, Rec())
        for c in range(4):
            if trim(N.get(c, 6)) or not is_number(trim(N.get(c, 4))):
                continue
            old = N.get(c, 4)
            for target, slot in ((4, 2), (5, 3)):
                a = trim(N.get(c, slot)) or "0"
                p = P.get(c, slot)
                if not is_number(a) or not is_number(p):
                    log.messages += 1
                    return
                N.put(c, target, general(Decimal(a.strip(" \t")) - Decimal(p.strip(" \t"))))
            N.put(c, 6, old)


def station(text: str) -> float:
    """A log station: three integer digits after '+' are kilometres and
    metres; otherwise hundreds; anything unreadable is 0."""
    t = trim(text)
    if "+" not in t:
        return float(t.strip(" \t")) if is_number(t) else 0.0
    head, rest = t.split("+", 1)
    num = lambda s: 0.0 if s.strip(" \t") == "" else (float(s.strip(" \t")) if is_number(s) else None)
    h, r = num(head), num(rest)
    if h is None or r is None:
        return 0.0
    whole = rest.split(".")[0]
    negative = head.strip(" \t").startswith("-")
    if len(whole) == 3 and whole.isdigit():
        v = abs(h) * 1000 + r
    elif head == "":
        return r
    else:
        v = abs(h) * 100 + r if negative else h * 100 + r
    return -v if negative else v


def ra(text, width):
    return text if len(text) >= width else " " * (width - len(text)) + text


def station_text(name):
    # a text that reads as a plain number would be put through the station mask;
    # log station names never do
    return name


def area_text(t):
    if is_number(t):
        d = Decimal(t.strip(" \t")).quantize(Decimal("0.01"), rounding="ROUND_HALF_UP")
        s = format(d, "f")
        return "0.00" if d == 0 else s
    return t


@dataclass
class Result:
    refusal: str | None = None
    report: bytes = b""
    companion: bytes = b""
    pages: int = 0
    messages: int = 0


def report(log, accumulated, tab):
    E = lambda u: log.entries.get(u, Rec())
    count = min(log.entry_count, MAX_ENTRIES)
    out = []
    comp = []
    emb = False  # the tool reports with the check box off
    Z = "0.00"

    def tok(r, l, s):
        return trim(r.get(l, s))

    def when(r, al, as_, bl, bs, w):
        return tok(r, al, as_) if tok(r, bl, bs) == w else Z

    def fields(vals, empty_last=True):
        parts = []
        for i, v in enumerate(vals):
            if empty_last and i >= 6 and emb and not accumulated:
                parts.append(" " * 9)
            else:
                parts.append(ra(v, 9))
        return "  ".join(parts)

    stations = [station(E(u).name) for u in range(count + 1)]
    is_st = ["+" in E(u).name for u in range(count + 1)]
    nxt = [None] * (count + 1)
    following = None
    for u in range(count, -1, -1):
        nxt[u] = following
        if is_st[u]:
            following = u

    def inside(u, s):
        return s >= stations[u] and (nxt[u] is None or s < stations[nxt[u]])

    nbp = min(log.bal_count, MAX_BP)
    bp_st = [station(log.points.get(b, Rec()).name) for b in range(1, nbp + 1)]
    nadj = min(log.adj_count, MAX_ADJ)
    adj_st = [station(log.adjust.get(a, Rec()).name) for a in range(1, nadj + 1)]

    def label(u):
        if not is_st[u]:
            return ""
        for a in range(nadj):
            if inside(u, adj_st[a]):
                return log.adjust[a + 1].note
        return ""

    def points(u):
        if not is_st[u]:
            return []
        return [b + 1 for b in range(nbp) if inside(u, bp_st[b])]

    def sf(name):
        return ra(station_text(name), 8)

    def ordinary(e):
        a = accumulated
        v = [when(e, 1, 2, 1, 1, "Excavation"), Z,
             when(e, 1, 6 if a else 3, 1, 1, "Excavation"),
             when(e, 2, 2, 2, 1, "Fill"), Z,
             when(e, 2, 7 if a else 3, 2, 1, "Fill"),
             when(e, 2, 5, 2, 1, "Fill"),
             when(e, 2, 6 if a else 4, 2, 1, "Fill"),
             when(e, 2, 8 if a else 6, 2, 1, "Fill")]
        out.append(sf(e.name) + "  " + fields(v))

    D = "------"

    def dashed(e):
        v = [when(e, 1, 2, 1, 1, D), tok(e, 1, 3), when(e, 1, 2, 1, 3, D), when(e, 2, 3, 2, 2, D),
             when(e, 2, 3, 2, 1, D), when(e, 2, 5, 2, 1, D), when(e, 2, 4, 2, 1, D), when(e, 2, 6, 2, 1, D), Z]
        out.append(sf(e.name) + "   " + fields(v))

    def na_exc(e):
        v = [when(e, 1, 2, 1, 1, D), tok(e, 1, 3), Z, when(e, 2, 3, 2, 2, D), when(e, 2, 3, 2, 1, D),
             when(e, 1, 5, 2, 1, D), when(e, 1, 4, 2, 1, D), when(e, 1, 6, 2, 1, D), Z]
        out.append(sf(e.name) + "   " + fields(v))

    def na_fill(e):
        v = [when(e, 1, 2, 1, 1, D), Z, Z, when(e, 2, 3, 2, 2, D), tok(e, 1, 3), when(e, 2, 3, 2, 1, D),
             tok(e, 1, 5), tok(e, 1, 4), tok(e, 1, 6)]
        out.append(sf(e.name) + "   " + fields(v) + ("  " if accumulated else ""))

    def exc_adj(e):
        v = [when(e, 1, 2, 1, 1, D), when(e, 1, 5, 1, 2, "Exc"), Z, Z, Z, when(e, 2, 3, 2, 1, D),
             when(e, 1, 6, 1, 2, "Exc"), Z, Z]
        out.append(sf(e.name) + "   " + fields(v) + ("  " if accumulated else ""))

    def companion_line(e):
        def col(t):
            t = area_text(t if t else "0.00")
            f = ra(t, 12)
            return f if f[0] == " " else " " + f
        row = ra(station_text(e.name), 9) + ra(ra("-", 9), 12) + col(e.get(1, 2).lstrip(" ")) + col("0.00") \
            + col(e.get(2, 2).lstrip(" ")) + col("0.00")
        comp.append(trim(row))

    open_rule = "*+" + "*" * 9 + " " + "*" * 98
    close_rule = "*+" + "*" * 6 + " " + "*" * 103
    first_done = [False]

    def section(p):
        out.append(open_rule)
        out.append("*+****** Balance Pt at Station " + ra(p.name, 8) + " *******")

        def t(l, s):
            return tok(p, l, s) or Z
        first = not first_done[0]
        first_done[0] = True

        def row(lbl, f4, f7, f8, f9, f10):
            out.append(ra(lbl, 9) + "   " + fields([Z, Z, f4, Z, Z, f7, f8, f9, f10]))
        if not accumulated:
            if first:
                row("+Incre.", t(1, 2), t(2, 2), t(2, 4), t(2, 3), Z)
                row("+Accum.", t(1, 2), t(2, 2), t(2, 4), t(2, 3), Z)
            else:
                row("+Incre.", t(1, 5), t(2, 4), t(2, 6), t(2, 5), Z)
                row("+Accum.", t(1, 2), t(2, 2), t(2, 6), t(2, 3), Z)
        else:
            if first:
                row("+Incre.", t(1, 2), t(2, 2), t(2, 6), Z, t(2, 3))
            else:
                row("+Incre.", t(1, 5), t(2, 4), t(2, 6), Z, t(2, 5))
            row("+Accum.", t(1, 2), t(2, 2), t(2, 6), Z, t(2, 3))
        out.append(close_rule)

    def stretch_row(e):
        (dashed if tok(e, 1, 2) == D else ordinary)(e)

    out += ["#Designer= ", "#Project No.= ", "#Control No.= ", "#TabName= " + tab,
            "#System= " + str(log.unit), "#Embankment= 0"]
    u = 0
    while u <= count:
        e = E(u)
        n = trim(e.name)
        if n in ("for", "XS-W-DANGPROP", "XS-NOES", "XS-NOPROP", "XS-ONESIDE", "at"):
            note = trim(e.note)
            k = note.rfind(" ")
            out.append((note[k:] if k >= 0 else note) + " : " + e.note)
            u += 1
            continue
        if n == "SKIP":
            if u + 1 > count or not is_st[u + 1]:
                break
            stretch_row(E(u + 1))
            out.append(open_rule)
            out.append("*+******" + trim(e.note) + " *******")
            out.append(close_rule)
            k = e.note.upper().find("TO")
            end = station(e.note[k + 2:]) if k >= 0 else 0.0
            greater = [j for j in range(u, count + 1) if stations[j] > end]
            equal = [j for j in range(u, count + 1) if stations[j] == end]
            if greater:
                j = greater[0]
            elif equal:
                j = equal[0]
            else:
                break
            if is_st[j]:
                stretch_row(E(j))
            u = j + 1
            continue
        if is_st[u]:
            kind = tok(e, 1, 2)
            if kind == D:
                dashed(e)
            elif kind == "NA":
                lb = label(u)
                if lb == "Fill":
                    na_fill(e)
                elif lb == "Exc":
                    na_exc(e)
            elif kind.upper() == "EXC":
                exc_adj(e)
            else:
                ordinary(e)
            companion_line(e)
            for b in points(u):
                section(log.points[b])
        u += 1

    out.append("+                 G R A N D     S U M M A R Y     T O T A L S")
    out.append("+                              Unadjusted  Adjusted    Mult")
    out.append("+                              Volume      Volume      Factor")
    if log.unit == 1:
        out.append("+                              (cubic     (cubic")
        out.append("+                               meters)    meters)")
    else:
        out.append("+                              (cu. yd.)   (cu. yd.)")
    out.append("+       ---------------------------- ---------- ---------- ------")
    for r in (1, 2):
        line = "+" + ra(log.summary.get(r, 0), 9)
        for slot in range(1, 3 if emb else 5):
            col = (len(line) // 14 + 1) * 14
            line += " " * (col - len(line)) + ra(log.summary.get(r, slot), 9)
        out.append(line)
    out.append("        ---------------------------- ---------- ---------- ------")
    out.append("#" * 65)

    doc = ["[VERSION 2002]", "[METRIC]" if log.unit == 1 else "[ENGLISH]", "", "", ""]
    base = trim(log.baseline)
    block = 0
    rows = comp
    while True:
        block += 1
        name = base if block == 1 else f"{base} ({block})"
        doc += [f"[END AREA {block} {name}]", "#BALANCE FACTOR", "1.00", "#MEASURED IN EMBANKMENT", " 0 ",
                "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)"]
        doc += rows[:1800]
        rows = rows[1800:]
        if not rows:
            break
    doc.append("[LAST RECORD]")
    drawn = sum(1 for l in out if "#" not in l)
    pages = 1 if drawn <= 44 else 1 + (drawn - 44 + 50) // 51
    enc = lambda ls: "".join(l + "\r\n" for l in ls).encode("latin-1")
    return enc(out), enc(doc), pages


def run(data: bytes, accumulated: bool) -> Result:
    lines = split_lines(data)
    if MARKER not in lines:
        return Result(refusal="not a log")
    log = Log()
    pass1(log, lines)
    pass2(log, lines)
    pass3(log, lines)
    incremental(log)
    tab = "BASELINE: " + log.baseline
    # Open writes the companion (and the report the final command replaces)
    _, companion, _ = report(log, log.accum_mode == 1, tab)
    if accumulated and log.entries.get(0, Rec()).has_acc != 1:
        return Result(refusal="no accumulated", companion=companion, messages=log.messages)
    text, companion, pages = report(log, accumulated, tab)
    return Result(report=text, companion=companion, pages=pages, messages=log.messages)


if __name__ == "__main__":
    import sys
    from pathlib import Path
    res = run(Path(sys.argv[1]).read_bytes(), "--accumulated" in sys.argv)
    if res.refusal:
        print(res.refusal)
    else:
        sys.stdout.write(res.report.decode("latin-1"))

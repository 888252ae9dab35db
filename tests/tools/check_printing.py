#!/usr/bin/env python3
"""Print a report on a real CUPS queue and check what came out.

usage: check_printing.py TOOL PRINT_QUEUE_SCRIPT SAMPLE.mdx [PREVIEW_TEST [MASS_HAUL_TEST]]

Starts a private CUPS daemon with a cups-pdf queue (PRINT_QUEUE_SCRIPT),
runs `TOOL --accumulated --print --printer QUEUE` on SAMPLE.mdx (an English
document of three accumulated pages), waits for the job's PDF and checks it
with poppler: three pages of Letter paper, each headed "Pages : N OF 3"
with the project number and the column heads, the report's texts present.
With PREVIEW_TEST (the preview's widget test program), its case
printSelectedOnAPrinterOffersTheRangeInThePrintDialog then prints pages 2
to 3 of the same report from the window through the print dialog, and
that second PDF must hold exactly those two pages. With MASS_HAUL_TEST (the
Mass Haul window's widget test program), its case
printOnAPrinterGoesThroughThePrintDialog prints a mass-haul diagram from the
window, and that PDF must be one landscape page with the diagram's title,
axis captions and free-haul figure. The daemon is stopped at the end,
whatever happened. Exit 77 (skipped) when not root or CUPS, cups-pdf or poppler are
missing; otherwise the last line is "N passed, M failed" and the exit
status 0 only when M is 0.
"""

from __future__ import annotations

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SKIP = 77
JOB_WAIT_SECONDS = 120


def runs_along_long_side(out: Path, word: str) -> bool:
    """Whether `word` in the newest PDF of `out` runs along the page's long
    side: a landscape page, or landscape content turned on a portrait sheet
    as a printer puts it on paper."""
    newest = max(out.glob("*.pdf"), key=lambda p: p.stat().st_mtime)
    boxes = subprocess.run(["pdftotext", "-bbox", newest, "-"], capture_output=True, text=True).stdout
    page = re.search(r'<page width="([\d.]+)" height="([\d.]+)"', boxes)
    box = re.search(r'xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">' + word + "<", boxes)
    if page is None or box is None:
        return False
    wide_page = float(page[1]) > float(page[2])
    wide_word = float(box[3]) - float(box[1]) > float(box[4]) - float(box[2])
    return wide_page == wide_word


def ink_near_edges(pdf: Path) -> str:
    """Where page 1 of `pdf` has ink less than a quarter inch from an edge
    (empty when nowhere): rendered in grey at 72 dots an inch."""
    grey = subprocess.run(["pdftoppm", "-gray", "-r", "72", "-f", "1", "-l", "1", "-singlefile", pdf],
                          capture_output=True).stdout
    parts = grey.split(maxsplit=4)  # P5 width height maxval pixels
    if len(parts) < 5 or parts[0] != b"P5":
        return "no page image"
    width, height, pixels = int(parts[1]), int(parts[2]), parts[4]
    edge = 18
    for y in range(height):
        for x in range(width):
            inside = edge <= x < width - edge and edge <= y < height - edge
            if not inside and pixels[y * width + x] < 200:
                return f"ink at {x},{y} of {width}x{height}"
    return ""


def main() -> int:
    tool, script, sample = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3]).resolve()
    preview_test = Path(sys.argv[4]) if len(sys.argv) > 4 and sys.argv[4] else None
    mass_haul_test = Path(sys.argv[5]) if len(sys.argv) > 5 and sys.argv[5] else None
    needed = ["cupsd", "lpadmin", "pdftotext", "pdfinfo"]
    if os.geteuid() != 0 or any(shutil.which(n) is None for n in needed) \
            or not Path("/usr/lib/cups/backend/cups-pdf").exists():
        print("skipped: needs root, cups, printer-driver-cups-pdf and poppler-utils")
        return SKIP

    failures: list[str] = []
    passed = 0

    def check(name: str, ok: bool, detail: str = "") -> None:
        nonlocal passed
        if ok:
            passed += 1
        else:
            failures.append(name)
            print(f"FAIL [{name}] {detail}")

    # The daemon's folder: its name names the queue; lp, which runs the
    # filters, must be able to reach it.
    queue_dir = Path(tempfile.mkdtemp(prefix="mardex-print-"))
    queue_dir.chmod(0o755)
    work = queue_dir / "report"
    work.mkdir()
    try:
        started = subprocess.run(["bash", script, "start", queue_dir], capture_output=True, text=True, timeout=60)
        if started.returncode != 0:
            print(started.stdout + started.stderr)
            print("0 passed, 1 failed")
            return 1
        settings = dict(line.split("=", 1) for line in started.stdout.split() if "=" in line)
        env = dict(os.environ, CUPS_SERVER=settings["CUPS_SERVER"])
        env.pop("QT_QPA_PLATFORM", None)

        done = subprocess.run([tool, "--accumulated", "--output", work / "r.rpt", "--print", "--printer",
                               settings["QUEUE"], sample], capture_output=True, text=True, env=env, timeout=120)
        check("print run", done.returncode == 0 and done.stdout.strip().endswith(": 3 pages")
              and f"Sent to the printer {settings['QUEUE']}" in done.stderr, done.stdout + done.stderr)

        out = queue_dir / "out"
        log = queue_dir / "logs" / f"cups-pdf-{settings['QUEUE']}_log"

        def wait_for_jobs(count: int) -> list[Path]:
            # cups-pdf writes the file as it goes and says when it is done.
            deadline = time.monotonic() + JOB_WAIT_SECONDS
            while time.monotonic() < deadline:
                if log.exists() and log.read_text(errors="replace").count("PDF creation successfully finished") >= count:
                    break
                time.sleep(0.5)
            return sorted(out.glob("*.pdf"), key=lambda p: p.stat().st_mtime)

        pdfs = wait_for_jobs(1)
        check("one job", len(pdfs) == 1, f"PDFs in the queue's folder: {pdfs}")
        if len(pdfs) == 1:
            info = subprocess.run(["pdfinfo", pdfs[0]], capture_output=True, text=True).stdout
            check("pages", re.search(r"Pages:\s+3\n", info) is not None, info)
            check("letter paper", re.search(r"Page size:\s+612 x 792 pts", info) is not None, info)
            where = ink_near_edges(pdfs[0])
            check("quarter-inch margins", where == "", where)
            text = subprocess.run(["pdftotext", "-layout", pdfs[0], "-"], capture_output=True, text=True).stdout
            pages = [p for p in text.split("\f") if p.strip()]
            check("page count", len(pages) == 3, f"{len(pages)} pages of text")
            for number, page in enumerate(pages, 1):
                check(f"page {number}", re.search(rf"Pages : {number} +OF +3", page) is not None
                      and "STP-12(3)" in page and "STATION" in page, page[:400])
            for expected in ("TORVALIA DEPARTMENT OF ROADS", "EARTHWORK CALCULATION REPORT", "NET-VOL.", "ADJ-FILL",
                             "42+50.000", "G R A N D"):
                check(f"text {expected}", expected in text)

        def window_job(program: Path, test_class: str, case: str, count: int, name: str) -> str | None:
            """Runs one widget test case that prints through the print dialog;
            gives pdfinfo's lines of the queue's count-th PDF, then its pages'
            texts, all separated by form feeds."""
            env["QT_QPA_PLATFORM"] = "offscreen"
            done = subprocess.run([program, case], capture_output=True, text=True, env=env, timeout=120)
            check(f"{name} print", done.returncode == 0 and f"PASS   : {test_class}::{case}()" in done.stdout,
                  done.stdout[-2000:] + done.stderr[-2000:])
            pdfs = wait_for_jobs(count)
            check(f"{name} job", len(pdfs) == count, f"PDFs in the queue's folder: {pdfs}")
            if len(pdfs) != count:
                return None
            info = subprocess.run(["pdfinfo", pdfs[-1]], capture_output=True, text=True).stdout
            return info + "\f" + subprocess.run(["pdftotext", "-layout", pdfs[-1], "-"], capture_output=True, text=True).stdout

        # A metric document prints on A4, scaled to keep its margins.
        metric = sample.parent / "e51_metric_10_20.mdx"
        done = subprocess.run([tool, "--output", work / "m.rpt", "--print", "--printer", settings["QUEUE"], metric],
                              capture_output=True, text=True, env=env, timeout=120)
        check("metric print run", done.returncode == 0, done.stdout + done.stderr)
        pdfs = wait_for_jobs(2)
        check("metric job", len(pdfs) == 2, f"PDFs in the queue's folder: {pdfs}")
        if len(pdfs) == 2:
            info = subprocess.run(["pdfinfo", pdfs[-1]], capture_output=True, text=True).stdout
            check("A4 paper", re.search(r"Page size:\s+595(\.\d+)? x 84[12](\.\d+)? pts", info) is not None, info)
            where = ink_near_edges(pdfs[-1])
            check("A4 quarter-inch margins", where == "", where)

        jobs = 2
        if preview_test is not None:
            jobs += 1
            text = window_job(preview_test, "tst_frmpreview", "printSelectedOnAPrinterOffersTheRangeInThePrintDialog",
                              jobs, "window")
            if text is not None:
                # The print dialog proposed the English document's Letter.
                check("window letter paper", re.search(r"Page size:\s+612 x 792 pts", text.split("\f")[0]) is not None,
                      text.split("\f")[0])
                pages = [p for p in text.split("\f")[1:] if p.strip()]
                check("window pages", len(pages) == 2 and re.search(r"Pages : 2 +OF +3", pages[0]) is not None
                      and re.search(r"Pages : 3 +OF +3", pages[1]) is not None, text[:600])

        if mass_haul_test is not None:
            # The window's one loop (0, 200, 500, 200, 0 every 200 ft) with a
            # free haul of 400 ft, on one landscape page.
            jobs += 1
            text = window_job(mass_haul_test, "tst_frmMassHaul", "printOnAPrinterGoesThroughThePrintDialog",
                              jobs, "diagram")
            if text is not None:
                info, *pages = text.split("\f")
                pages = [p for p in pages if p.strip()]
                check("diagram pages", re.search(r"Pages:\s+1\n", info) is not None and len(pages) == 1, info)
                check("diagram landscape", runs_along_long_side(queue_dir / "out", "DIAGRAM"), info)
                for expected in ("MASS HAUL DIAGRAM", "WORKED", "Free haul: 400.00 ft", "Mass ordinate (cu.yd.)",
                                 "Station (distance along the alignment, ft)", "TOTALS"):
                    check(f"diagram text {expected}", expected in text, text[:800])
    finally:
        subprocess.run(["bash", script, "stop", queue_dir], capture_output=True, timeout=60)
        shutil.rmtree(queue_dir, ignore_errors=True)
    print(f"{passed} passed, {len(failures)} failed")
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())

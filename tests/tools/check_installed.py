#!/usr/bin/env python3
"""Check an installed Mardex against the build tree.

usage: check_installed.py BUILD_DIR VERSION SAMPLE.mdx SAMPLE.log [--prefix PREFIX] [--window-test PROGRAM]

With --prefix, `cmake --install BUILD_DIR --prefix PREFIX` runs first (an
empty PREFIX: a fresh temporary folder); without it the installed files are
looked for under /usr (the Debian package). Then:

  [report]    the installed mardex-report and the build tree's write the
              same report file for SAMPLE.mdx (same name, same bytes, same
              page count, nothing on standard error), each run in a fresh
              folder with fresh user folders;
  [version]   both installed programs print VERSION for --version;
  [display]   the installed window without a display says in one line that
              it needs a graphical session;
  [stickup]   the installed mardex-report draws SAMPLE.mdx's stick-up
              sheets into a new design file, GDAL coming from the design-file
              module in the private module folder (lib/.../mardex), which the
              window loads the same way; a seed that cannot be drawn into
              leaves no design file; with --window-test (the main window's
              widget test program) its stick-up case runs offscreen from a
              bin folder beside the installed lib/.../mardex module folder:
              the window's Stickup Sheets button, dialog and drawing with the
              installed module, found as the installed window finds it;
  [files]     the shipped files, man pages and user guide are installed;
  [desktop]   desktop-file-validate accepts the .desktop file;
  [appstream] appstreamcli validate --no-net accepts the metainfo file;
  [mime]      with the MIME package installed into a temporary XDG data
              folder, xdg-mime query filetype names the sheet document and
              GEOPAK log types of SAMPLE.mdx and SAMPLE.log.

The last line printed is "N passed, M failed"; the exit status is 0 only
when M is 0.
"""

from __future__ import annotations

import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

APP_ID = "org.mardex.Mardex"
failures: list[str] = []
passed = 0


def check(name: str, ok: bool, detail: str = "") -> None:
    global passed
    if ok:
        passed += 1
    else:
        failures.append(name)
        print(f"FAIL [{name}] {detail}")


def run(args: list, cwd: Path | None = None, env: dict | None = None) -> subprocess.CompletedProcess:
    args = [str(a) for a in args]
    try:
        return subprocess.run(args, cwd=cwd, env=env, capture_output=True, text=True, timeout=120)
    except OSError as e:
        return subprocess.CompletedProcess(args, 127, "", str(e))


def clean_env(home: Path) -> dict:
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP",
                        "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID")}
    env["HOME"] = str(home)
    env["XDG_CONFIG_HOME"] = str(home / "config")
    env["XDG_STATE_HOME"] = str(home / "state")
    env["XDG_DATA_HOME"] = str(home / "data")
    return env


def report_of(tool: Path, sample: Path, work: Path) -> tuple[dict, str, str]:
    work.mkdir(parents=True)
    env = clean_env(work / "home")
    done = run([tool, sample], cwd=work, env=env)
    files = {p.name: p.read_bytes() for p in work.iterdir() if p.is_file()}
    pages = done.stdout.strip().rsplit(":", 1)[-1] if done.returncode == 0 else f"exit {done.returncode}"
    return files, pages, done.stderr


def main() -> int:
    args = sys.argv[1:]
    prefix_arg = window_test = None
    if "--prefix" in args:
        i = args.index("--prefix")
        prefix_arg = args[i + 1]
        del args[i:i + 2]
    if "--window-test" in args:
        i = args.index("--window-test")
        window_test = Path(args[i + 1]).resolve()
        del args[i:i + 2]
    build, version, sample, log = Path(args[0]).resolve(), args[1], Path(args[2]).resolve(), Path(args[3]).resolve()
    scratch = Path(tempfile.mkdtemp(prefix="mardex-install-"))
    try:
        if prefix_arg is None:
            prefix = Path("/usr")
        else:
            prefix = Path(prefix_arg) if prefix_arg else scratch / "prefix"
            done = run(["cmake", "--install", build, "--prefix", prefix])
            check("install", done.returncode == 0, done.stderr)
        bin_dir, share = prefix / "bin", prefix / "share"

        built, built_pages, built_err = report_of(build / "bin" / "mardex-report", sample, scratch / "built")
        got, got_pages, got_err = report_of(bin_dir / "mardex-report", sample, scratch / "installed")
        check("report", bool(built) and got == built and got_pages == built_pages and not got_err and not built_err,
              f"build tree {sorted(built)} {built_pages!r} {built_err!r}; installed {sorted(got)} {got_pages!r} {got_err!r}")

        modules = sorted(prefix.glob("lib/**/mardex/mardex-gdal.so"))
        check("module", len(modules) == 1, f"mardex-gdal.so under {prefix}/lib: {modules}")
        work = scratch / "stickup"
        work.mkdir()
        env = clean_env(work / "home")
        done = run([bin_dir / "mardex-report", "--stickup", work / "out.dgn", sample], cwd=work, env=env)
        drawn = work / "out.dgn"
        check("stickup", done.returncode == 0 and drawn.is_file() and drawn.stat().st_size > 0
              and done.stdout.startswith(f"{drawn}: "), done.stdout + done.stderr)
        (work / "bad-seed.dgn").write_bytes(b"not a design file")
        done = run([bin_dir / "mardex-report", "--stickup", work / "bad.dgn", "--seed", work / "bad-seed.dgn", sample],
                   cwd=work, env=env)
        check("stickup failure", done.returncode == 1 and not (work / "bad.dgn").exists()
              and not [p for p in work.iterdir() if ".~mardex." in p.name], done.stdout + done.stderr)

        if window_test and modules:
            # The test program in a bin folder of its own, the installed
            # module folder at the same place relative to it as in PREFIX.
            layout = scratch / "window"
            (layout / "bin").mkdir(parents=True)
            shutil.copy(window_test, layout / "bin" / window_test.name)
            module_folder = layout / modules[0].parent.relative_to(prefix)
            module_folder.parent.mkdir(parents=True, exist_ok=True)
            module_folder.symlink_to(modules[0].parent)
            env = clean_env(work / "home")
            env["QT_QPA_PLATFORM"] = "offscreen"
            case = "stickupSheetsAreDrawnThroughTheDesignFileModule"
            done = run([layout / "bin" / window_test.name, case], cwd=work, env=env)
            check("window stickup", done.returncode == 0 and f"PASS   : {window_test.name}::{case}()" in done.stdout,
                  done.stdout[-2000:] + done.stderr[-2000:])

        env = clean_env(scratch / "home")
        for program in ("mardex", "mardex-report"):
            done = run([bin_dir / program, "--version"], env=env)
            check(f"version {program}", done.returncode == 0 and done.stdout.strip() == f"{program} {version}",
                  repr(done.stdout))
        done = run([bin_dir / "mardex", sample], env=env)
        lines = done.stderr.strip().splitlines()
        check("display", done.returncode == 1 and len(lines) == 1 and "graphical session" in lines[0]
              and "mardex-report" in lines[0], repr(done.stderr))

        expected = [share / "mardex" / name for name in ("mardex3.ini", "border2l.dgn", "mardex.svg", "help/index.html")]
        expected += [share / "man" / "man1" / "mardex.1", share / "man" / "man1" / "mardex-report.1",
                     share / "icons" / "hicolor" / "scalable" / "apps" / f"{APP_ID}.svg"]
        missing = [str(p) for p in expected if not p.is_file()]
        check("files", not missing, f"missing {missing}")

        done = run(["desktop-file-validate", share / "applications" / f"{APP_ID}.desktop"])
        check("desktop", done.returncode == 0 and not done.stdout.strip(), done.stdout + done.stderr)
        done = run(["appstreamcli", "validate", "--no-net", share / "metainfo" / f"{APP_ID}.metainfo.xml"])
        check("appstream", done.returncode == 0, done.stdout + done.stderr)

        data = scratch / "xdgdata"
        (data / "mime" / "packages").mkdir(parents=True)
        shutil.copy(share / "mime" / "packages" / "mardex.xml", data / "mime" / "packages" / "mardex.xml")
        done = run(["update-mime-database", data / "mime"])
        check("mime database", done.returncode == 0, done.stderr)
        env = clean_env(scratch / "home")
        env["XDG_DATA_HOME"] = str(data)
        env["XDG_DATA_DIRS"] = "/usr/share"
        for file, wanted in ((sample, "application/x-mardex-sheet"), (log, "text/x-geopak-earthwork-log")):
            done = run(["xdg-mime", "query", "filetype", file], env=env)
            check(f"mime {file.suffix}", done.stdout.strip() == wanted, f"{file.name}: {done.stdout.strip()!r}")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{passed} passed, {len(failures)} failed")
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())

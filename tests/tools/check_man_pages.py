#!/usr/bin/env python3
"""Check the generated manual pages against the programs' --help.

usage: check_man_pages.py PROGRAM PAGE [PROGRAM PAGE ...]

For each pair: every option (--name) that `PROGRAM --help` lists appears in
PAGE as man shows it, and `man --warnings -l PAGE` gives no troff warning.
The last line printed is "N passed, M failed"; the exit status is 0 only
when M is 0.
"""

import os
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--[a-z][a-z-]*")


def main() -> int:
    args = sys.argv[1:]
    passed, failed = 0, 0
    env = dict(os.environ, LC_ALL="C", MANWIDTH="80")
    env.pop("MAN_KEEP_FORMATTING", None)
    for program, page in zip(args[::2], args[1::2]):
        name = os.path.basename(program)
        usage = subprocess.run([program, "--help"], capture_output=True, text=True, env=env, timeout=60)
        shown = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, env=env,
                               timeout=60)
        options = sorted(set(OPTION.findall(usage.stdout)))
        missing = [o for o in options if o not in set(OPTION.findall(shown.stdout))]
        checks = {
            f"{name} options": (usage.returncode == 0 and len(options) > 1 and not missing,
                                f"{len(options)} options in --help; missing from the page: {missing}"),
            f"{name} warnings": (shown.returncode == 0 and not shown.stderr.strip(), shown.stderr),
        }
        for label, (ok, detail) in checks.items():
            if ok:
                passed += 1
            else:
                failed += 1
                print(f"FAIL [{label}] {detail}")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())

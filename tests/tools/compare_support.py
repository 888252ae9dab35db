"""What the comparisons of the tool with an independent model share."""

import re

PAGES_LINE = re.compile(r"^(?P<path>.*): (?P<n>-?[0-9]+) pages$")


def first_difference(expected: bytes, got: bytes) -> str:
    e_lines, g_lines = expected.split(b"\n"), got.split(b"\n")
    for i in range(max(len(e_lines), len(g_lines))):
        e = e_lines[i] if i < len(e_lines) else None
        g = g_lines[i] if i < len(g_lines) else None
        if e != g:
            return f"line {i + 1}: model {e!r}, tool {g!r}"
    return "files differ"

"""Reads the sheets of a sheet document as the tests compare them."""

from __future__ import annotations


def station_value(text: str) -> float:
    if "+" not in text:
        return float(text)
    hundreds, rest = text.split("+", 1)
    negative = hundreds.startswith("-")
    value = abs(float(hundreds or "0")) * 100 + float(rest or "0")
    return -value if negative else value


def read_document(path: str) -> dict:
    """unit (0/1), descriptions and sheets [{name, factor, rows: [[6 texts]]}]."""
    unit, sheets, header = 0, [], []
    in_rows = expect_factor = False
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").replace("\r\n", "\n").split("\n")
    for line in lines:
        if line == "[METRIC]":
            unit = 1
        elif line == "[ENGLISH]":
            unit = 0
        elif line.startswith("[END AREA"):
            sheets.append({"name": line[1:-1].split(" ", 3)[3].lstrip(), "factor": "", "rows": []})
            in_rows = False
        elif line.startswith("[LAST RECORD]"):
            break
        elif line == "#BALANCE FACTOR":
            expect_factor = True
        elif expect_factor:
            sheets[-1]["factor"] = line
            expect_factor = False
        elif line.startswith("#STATION"):
            in_rows = True
        elif line.startswith("#"):
            in_rows = False
        elif in_rows and line.strip():
            sheets[-1]["rows"].append(line.split())
        elif not sheets and not line.startswith("["):
            header.append(line)
    return {"unit": unit, "descriptions": header[:3], "sheets": sheets}

#!/usr/bin/python3
"""The figures the README and the docs quote, kept in one place: the table
"The figures quoted" at the head of docs/benchmarks.md. Each benchmark that
takes one rewrites its row when it runs; the test docs.figures
(tests/docs/figures_test.py) checks the quotes against the table, never
against a new measurement.

    bench/figures.py NAME VALUE UNIT WRITER [LOAD]   one row, from a shell script

From Python: figures.record(NAME, VALUE, UNIT, WRITER). VALUE is a number as
it is to be quoted ("26", "1.29"), UNIT one of UNITS; the row says when it was
taken and the machine's load then (the load average over a minute, unless
given).
"""

import datetime
import os
import pathlib
import re
import sys

DOC = pathlib.Path(__file__).resolve().parents[1] / "docs/benchmarks.md"
HEADER = "| Figure | Value | Written by | Last run |"
UNITS = ("minutes", "s", "MB", "KB")
ROW = re.compile(r"^\| `(?P<name>[a-z0-9-]+)` \| (?P<value>[0-9][0-9.,]*) (?P<unit>\w+) \| (?P<rest>.*)$")


def rows(text):
    """The table's rows: name -> (value, unit), in the order they stand."""
    found = {}
    for line in table_lines(text)[1]:
        m = ROW.match(line)
        if m:
            found[m["name"]] = (float(m["value"].replace(",", "")), m["unit"])
    return found


def table_lines(text):
    """The lines before the table's rows, the rows, the lines after."""
    lines = text.splitlines()
    start = lines.index(HEADER) + 2  # the header and its rule
    end = start
    while end < len(lines) and lines[end].startswith("|"):
        end += 1
    return lines[:start], lines[start:end], lines[end:]


def read(path=DOC):
    return rows(path.read_text(encoding="utf-8"))


def record(name, value, unit, writer, load=None, path=DOC):
    """Writes the figure's row (a new one at the end of the table)."""
    if unit not in UNITS or not re.fullmatch(r"[0-9][0-9.,]*", str(value)):
        raise ValueError(f"{name}: {value} {unit} is no figure")
    load = os.getloadavg()[0] if load is None else float(load)
    when = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d")
    row = f"| `{name}` | {value} {unit} | `{writer}` | {when}, load {load:.1f} |"
    before, table, after = table_lines(path.read_text(encoding="utf-8"))
    table = [row if ROW.match(r) and ROW.match(r)["name"] == name else r for r in table]
    if row not in table:
        table.append(row)
    path.write_text("\n".join(before + table + after) + "\n", encoding="utf-8")
    print(f"docs/benchmarks.md: {name} = {value} {unit}")


if __name__ == "__main__":
    if len(sys.argv) not in (5, 6):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    record(*sys.argv[1:])

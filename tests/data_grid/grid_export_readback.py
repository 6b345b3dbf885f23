#!/usr/bin/env python3
"""Reads a grid's text or CSV export back with Python's csv module and compares every cell with
the grid's display texts.

Usage: grid_export_readback.py <export file> <delimiter: tab or one character> <expected.json>
The expected file holds a JSON list of rows, each a list of cell texts. Exit status 0 when every
cell reads back exactly, 1 with the differences on standard error otherwise.
"""
import csv
import json
import sys


def main():
    path, delimiter, expected_path = sys.argv[1:4]
    delimiter = "\t" if delimiter == "tab" else delimiter
    with open(path, newline="", encoding="utf-8") as f:
        try:
            rows = list(csv.reader(f, delimiter=delimiter, quotechar='"', doublequote=True, strict=True))
        except csv.Error as e:
            print("not readable: %s" % e, file=sys.stderr)
            return 1
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    if rows == expected:
        return 0
    print("read %d rows, expected %d" % (len(rows), len(expected)), file=sys.stderr)
    for i, (got, want) in enumerate(zip(rows, expected)):
        if got != want:
            print("row %d: read %r, expected %r" % (i, got, want), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())

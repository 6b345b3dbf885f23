#!/usr/bin/env python3
"""The peer of the grid's CSV export benchmark: Python's csv.writer writing the same rows to memory.

Usage: bench_grid_export_peer.py <rows> <repeats>
Builds the rows the benchmark's grid shows (as texts), then for each repeat writes them all with
csv.writer (';' between cells, every cell quoted, CR LF between rows) into an io.StringIO and
prints the seconds that loop took, one line per repeat. Building the rows is not timed.
"""
import csv
import io
import sys
import time


def rows(count):
    out = []
    for i in range(1, count + 1):
        price = repr(i * 0.25)
        if price.endswith(".0"):
            price = price[:-2]
        day = "%02d.%02d.%04d" % (1 + i % 28, 1 + i % 12, 2000 + i % 25)
        note = 'said "ok"; left' if i % 10 == 0 else "note %d" % i
        out.append([str(i), "Пациент %d" % i, str(i % 97), price, day, note])
    return out


def main():
    count, repeats = int(sys.argv[1]), int(sys.argv[2])
    data = rows(count)
    for _ in range(repeats):
        buffer = io.StringIO()
        start = time.perf_counter()
        writer = csv.writer(buffer, delimiter=";", quoting=csv.QUOTE_ALL, lineterminator="\r\n")
        writer.writerows(data)
        elapsed = time.perf_counter() - start
        print("%.9f" % elapsed, flush=True)


if __name__ == "__main__":
    main()

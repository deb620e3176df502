#!/usr/bin/env python3
"""Writes a diagram file of N sentences and N arrows (default 1,000,000 each)
as `zorvex-cli export` writes it: every column of every row, statuses
included. Sentences stand on a grid of 1,000 columns; arrow i joins sentence
i to the next one. With --short, arrows are given by sentence numbers
({"From": i, "To": j}) instead.

    python3 bench/make-big-diagram.py > /tmp/big.json
    /usr/bin/time -v build/tools/zorvex-cli import /tmp/big.json /tmp/big-tables
"""
import argparse
import sys

parser = argparse.ArgumentParser()
parser.add_argument("count", nargs="?", type=int, default=1_000_000)
parser.add_argument("--short", action="store_true", help="arrows by sentence numbers")
args = parser.parse_args()
n = args.count
out = sys.stdout
STATUSES = (4, 9, 10)


def left(i):
    return (i % 1000) * 80


def top(i):
    return (i // 1000) * 40


def text(i):
    return f"Sentence number {i}"


out.write('{\n  "sentences": [\n')
for i in range(n):
    x, y = left(i), top(i)
    out.write(f'    {{"Left": {x}, "Top": {y}, "Right": {x + 60}, "Bottom": {y + 20}, '
              f'"Text": "{text(i)}", "Status": {STATUSES[i % 3]}}}{"," if i + 1 < n else ""}\n')
out.write('  ],\n  "arrows": [\n')
for i in range(n):
    j = (i + 1) % n
    if args.short:
        out.write(f'    {{"From": {i}, "To": {j}, "Status": {1 + i % 2}}}')
    else:
        x1, y1, x2, y2 = left(i), top(i), left(j), top(j)
        out.write(f'    {{"Center1X": {x1 + 30}, "Center1Y": {y1 + 10}, "Center2X": {x2 + 30}, '
                  f'"Center2Y": {y2 + 10}, "StartX": {x1 + 60}, "StartY": {y1 + 10}, "EndX": {x2}, '
                  f'"EndY": {y2 + 10}, "Left1": {x1}, "Top1": {y1}, "Text1": "{text(i)}", "Left2": {x2}, '
                  f'"Top2": {y2}, "Text2": "{text(j)}", "Status": {1 + i % 2}}}')
    out.write(",\n" if i + 1 < n else "\n")
out.write('  ],\n  "defeaters": []\n}\n')

#!/usr/bin/env python3
"""Writes a diagram file of a chain: N sentences on a grid of 1,000 columns,
arrow i from sentence i to sentence i + 1. Evaluated until stable after
sentence 0 is set justified, it settles one link per round.

    python3 bench/make-chain.py 16000 > /tmp/chain.json
    build/tools/zorvex-cli evaluate /tmp/chain.json --steps justified:0,until-stable > /dev/null
"""
import argparse
import sys

parser = argparse.ArgumentParser()
parser.add_argument("count", type=int)
args = parser.parse_args()
n = args.count
out = sys.stdout
out.write('{\n  "sentences": [\n')
for i in range(n):
    x, y = (i % 1000) * 80, (i // 1000) * 40
    out.write(f'    {{"Left": {x}, "Top": {y}, "Right": {x + 60}, "Bottom": {y + 20}, "Text": "S{i}"}}'
              f'{"," if i + 1 < n else ""}\n')
out.write('  ],\n  "arrows": [\n')
for i in range(n - 1):
    out.write(f'    {{"From": {i}, "To": {i + 1}}}{"," if i + 2 < n else ""}\n')
out.write('  ]\n}\n')

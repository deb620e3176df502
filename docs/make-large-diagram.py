#!/usr/bin/env python3
"""Writes a large diagram file for the README's picture: 48 groups of 216
sentences that support one another column by column, and defeaters from
sentences to blocks of their own group or the next.

    python3 docs/make-large-diagram.py > large.json
"""
import json
import random
import sys

GROUPS_X, GROUPS_Y = 8, 6
COLUMNS, ROWS = 12, 18
CELL_W, CELL_H = 100, 60
GROUP_W, GROUP_H = COLUMNS * CELL_W + 160, ROWS * CELL_H + 160

rng = random.Random(13)
sentences, arrows, defeaters = [], [], []


def number(gx, gy, r, c):
    return ((gy * GROUPS_X + gx) * ROWS + r) * COLUMNS + c


def place(gx, gy, r, c):
    return gx * GROUP_W + c * CELL_W + rng.randrange(6), gy * GROUP_H + r * CELL_H + rng.randrange(4)


for gy in range(GROUPS_Y):
    for gx in range(GROUPS_X):
        for r in range(ROWS):
            for c in range(COLUMNS):
                left, top = place(gx, gy, r, c)
                sentences.append({"Left": left, "Top": top, "Text": f"Claim {gx}.{gy}.{r}.{c}"})
                if r > 0:
                    arrows.append({"From": number(gx, gy, r, c), "To": number(gx, gy, r - 1, c)})
                    if c + 1 < COLUMNS and rng.random() < 0.3:
                        arrows.append({"From": number(gx, gy, r, c), "To": number(gx, gy, r - 1, c + 1)})

for _ in range(300):
    gx, gy = rng.randrange(GROUPS_X), rng.randrange(GROUPS_Y)
    r, c = rng.randrange(ROWS), rng.randrange(COLUMNS)
    s = sentences[number(gx, gy, r, c)]
    challenging = [s["Left"] - 8, s["Top"] - 6, s["Left"] + 80, s["Top"] + 26]
    tx, ty = min(gx + rng.randrange(2), GROUPS_X - 1), gy
    tr = max(0, min(ROWS - 3, r + rng.randrange(-2, 3)))
    tc = rng.randrange(COLUMNS - 2) if tx == gx else rng.randrange(3)
    left, top = tx * GROUP_W + tc * CELL_W - 12, ty * GROUP_H + tr * CELL_H - 10
    challenged = [left, top, left + 2 * CELL_W + 70, top + 3 * CELL_H]
    defeaters.append({"ChallengingRect": challenging, "ChallengedRect": challenged})

json.dump({"sentences": sentences, "arrows": arrows, "defeaters": defeaters}, sys.stdout, indent=0)

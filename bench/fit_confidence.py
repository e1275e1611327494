#!/usr/bin/env python3
"""Fits ZorvelEU1's confidence scale from measure_eu1's "confidence band" lines.

Run measure_eu1 with CalibratedConfidence's table set to 0 … 15 (so the bands are the raw
scores), pipe its output here. For each raw score: the share of names right, shrunk towards
raw/15 with the weight of WEIGHT calls (few calls say little), then made monotone by pooling
adjacent violators (isotonic regression). Prints the table round(15 × probability).
"""
import re
import sys

WEIGHT = 10.0

named = [0] * 16
right = [0] * 16
in_bands = False
for line in sys.stdin:
    if line.startswith("confidence band"):
        in_bands = True
        continue
    m = re.match(r"\s+(\d+):\s+(\d+)\s+(\d+)\s", line)
    if in_bands and m:
        b = int(m.group(1))
        named[b] += int(m.group(2))
        right[b] += int(m.group(3))
    elif not line.startswith(" "):
        in_bands = False

p = [(right[b] + WEIGHT * b / 15) / (named[b] + WEIGHT) for b in range(16)]
w = [named[b] + WEIGHT for b in range(16)]
# Pool adjacent violators: blocks of (value, weight, count of scores).
blocks = []
for b in range(16):
    blocks.append([p[b], w[b], 1])
    while len(blocks) > 1 and blocks[-2][0] > blocks[-1][0]:
        v2, w2, n2 = blocks.pop()
        v1, w1, n1 = blocks.pop()
        blocks.append([(v1 * w1 + v2 * w2) / (w1 + w2), w1 + w2, n1 + n2])
fitted = []
for v, _, n in blocks:
    fitted += [v] * n
for b in range(16):
    print(f"raw {b:2d}: {named[b]:4d} named {right[b]:4d} right -> p {fitted[b]:.2f} -> {round(15 * fitted[b])}")
print("table:", ", ".join(str(round(15 * v)) for v in fitted))

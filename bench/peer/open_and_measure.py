#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The open-and-measure work as a technical user would script it with numpy, to hold KRNZ's
own figure against: read a Tremolog event, convert its counts to float32 rows, then each
channel's peak and the frequency of its half period, the derivative and integral peaks, the
vector maximum of the three geophones and the sixteen largest half-waves.

usage: open_and_measure.py EVENT [REPEATS]   prints the best wall-clock time in milliseconds
"""
import struct
import sys
import time

import numpy as np

UNIT_IPS, UNIT_PSI = 3, 9
INCHES_PER_MM, PSI_PER_PA = 0.03937, 0.00014502


def read_rows(path):
    with open(path, "rb") as f:
        header = f.read(170)
    flag_a, flag_b = header[10], header[11]
    frq = struct.unpack_from("<h", header, 38)[0]
    seconds = struct.unpack_from("<h", header, 40)[0]
    pretrig = struct.unpack_from("<h", header, 42)[0] / frq
    data_offset = struct.unpack_from("<i", header, 158)[0]
    n = struct.unpack_from("<i", header, 166)[0] if flag_a and flag_b else round(seconds * frq)
    k = np.array([struct.unpack_from("<f", header, 62 + 4 * c)[0] /
                  struct.unpack_from("<f", header, 78 + 4 * c)[0] for c in range(4)])
    for c in range(3):
        if header[58 + c] == UNIT_IPS:
            k[c] *= INCHES_PER_MM
    if header[61] == UNIT_PSI:
        k[3] *= PSI_PER_PA
    counts = np.fromfile(path, dtype="<i2", count=4 * n, offset=data_offset).reshape(n, 4)
    rows = np.empty((4, n), dtype=np.float32)
    for c in range(4):
        rows[c] = counts[:, c] * k[c]
    return rows, 1.0 / frq, pretrig


def crossing_frequency(x, a, b, dt):
    t1 = a + abs(x[a]) / (abs(x[a]) + abs(x[a + 1])) if x[a] != 0 else a
    t2 = b - abs(x[b]) / (abs(x[b - 1]) + abs(x[b])) if x[b] != 0 else b
    return 1.0 / (2.0 * dt) / (t2 - t1) if t2 != t1 else 1.0 / (2.0 * dt)


def measure_row(x, dt):
    x64 = x.astype(np.float64)
    lo, hi = int(np.argmin(x)), int(np.argmax(x))
    p = lo if abs(x[lo]) >= abs(x[hi]) else hi
    sign = np.sign(x)
    before = np.flatnonzero(sign[:p] != sign[p])
    after = np.flatnonzero(sign[p:] != sign[p])
    a = int(before[-1]) if before.size else 0
    b = p + int(after[0]) if after.size else x.size - 1
    peak_frq = crossing_frequency(x64, a, b, dt)
    diff_peak = np.max(np.abs(x64[3:] + x64[2:-1] - x64[1:-2] - x64[:-3])) / (4 * dt)
    integ_peak = np.max(np.abs(np.cumsum(x64 - x64.mean()))) * dt
    # Half-waves: runs of one sign between crossings, the first and last run left out.
    edges = np.flatnonzero(sign[1:] != sign[:-1]) + 1
    starts, ends = edges[:-1], edges[1:]
    keep = sign[starts] != 0
    peaks = np.maximum.reduceat(np.abs(x), edges[:-1])[keep] if edges.size > 1 else np.empty(0)
    largest = np.argpartition(peaks, -16)[-16:] if peaks.size > 16 else np.arange(peaks.size)
    frqs = [crossing_frequency(x64, int(s) - 1, int(e), dt)
            for s, e in zip(starts[keep][largest], ends[keep][largest])]
    return max(abs(float(x[lo])), abs(float(x[hi]))), peak_frq, diff_peak, integ_peak, frqs


def open_and_measure(path):
    rows, dt, pretrig = read_rows(path)
    measures = [measure_row(rows[c], dt) for c in range(4)]
    g = rows[:3].astype(np.float64)
    squares = g[0] * g[0] + g[1] * g[1] + g[2] * g[2]
    at = int(np.argmax(squares))
    return measures, np.sqrt(squares[at]), at * dt - pretrig


def main():
    path = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    best = float("inf")
    for _ in range(repeats):
        start = time.perf_counter()
        open_and_measure(path)
        best = min(best, time.perf_counter() - start)
    print(f"{best * 1000:.0f}")


if __name__ == "__main__":
    main()

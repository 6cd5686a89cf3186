#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times every kept input of fuzz_event_reader and fuzz_measurements once through krnz_bench
(BM_KeptInput, reading without the fuzz cap and measuring as the program does) and lists the
slowest, to choose those kept in bench/data/worst_inputs.

    tools/bench/worst_kept_inputs.py build/krnz_bench [COUNT]
"""
import json
import os
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
bench = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 10
env = dict(os.environ,
           KRNZ_BENCH_EVENT_INPUTS=os.path.join(root, "fuzz", "corpus", "fuzz_event_reader"),
           KRNZ_BENCH_ROWS_INPUTS=os.path.join(root, "fuzz", "corpus", "fuzz_measurements"))
out = subprocess.run([bench, "--benchmark_filter=^BM_KeptInput/", "--benchmark_min_time=0.05",
                      "--benchmark_format=json"], env=env, check=True, capture_output=True,
                     text=True).stdout
runs = json.loads(out)["benchmarks"]
# CPU time: on a shared machine the wall clock also counts the time other processes had.
runs.sort(key=lambda r: r["cpu_time"], reverse=True)
print(f"{len(runs)} inputs of at most 64 KB")
for r in runs[:count]:
    print(f'{r["cpu_time"]:10.3f} {r["time_unit"]} CPU  {r["name"].removesuffix("/real_time")}')

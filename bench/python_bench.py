#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Benchmarks of the Python package (docs/python.md, docs/performance.md).

    PYTHONPATH=build/gcc/python python3 bench/python_bench.py batch
        2000 data sets fitted with the negative binomial by vk.batch on one thread and on two;
        the speed-up of two threads over one.
    PYTHONPATH=build/gcc/python python3 bench/python_bench.py fit build/gcc/bench/vk_bench
        the negative binomial fit of the Federalist "may" counts called from Python against the
        same fit in C++ (BM_MayAnpassung/4 of vk_bench, which reads the data in each round too).

Each figure is the best of several rounds, so that a moment of load from elsewhere does not
count; the machine's load average is printed beside it.
"""
import json
import os
import subprocess
import sys
import time

import numpy as np

import vostra_kalibra as vk

MAY_X = [0, 1, 2, 3, 4, 5, 6]
MAY_F = [156, 63, 29, 8, 4, 1, 1]


def load():
    return "load average %.2f %.2f %.2f" % os.getloadavg()


def datasets(count):
    # Negative-binomial counts of 300 observations each, from a fixed seed.
    rng = np.random.default_rng(32)
    out = []
    for _ in range(count):
        counts = np.bincount(rng.negative_binomial(3, 0.45, size=300))
        out.append(vk.Data(np.arange(len(counts)), counts))
    return out


def best_of(rounds, call, clock=time.perf_counter):
    best = float("inf")
    for _ in range(rounds):
        start = clock()
        call()
        best = min(best, clock() - start)
    return best


def best_of_with_cpu(rounds, call):
    """Best wall-clock time and the process's CPU time of that round: on a machine that others
    load, the CPU time shows whether a second thread costs extra work (locking, waiting) even
    when the wall clock cannot show the speed-up."""
    best = (float("inf"), 0.0)
    for _ in range(rounds):
        start, cpu = time.perf_counter(), time.process_time()
        call()
        wall = time.perf_counter() - start
        if wall < best[0]:
            best = (wall, time.process_time() - cpu)
    return best


def bench_batch(rounds=7):
    data = datasets(2000)
    # Every engine of a thread is built once; a first short run builds them.
    list(vk.batch(data[:20], 4, jobs=2))
    times = {}
    for _ in range(2):  # alternating, so that a phase of load hits both
        for jobs in (1, 2):
            t = best_of_with_cpu(rounds, lambda: list(vk.batch(data, 4, jobs=jobs)))
            times[jobs] = min(times.get(jobs, t), t)
    for jobs in (1, 2):
        wall, cpu = times[jobs]
        print(f"batch of {len(data)} negative binomial fits, jobs={jobs}: {wall:.3f} s wall "
              f"({wall / len(data) * 1e6:.0f} us per fit), {cpu:.3f} s CPU")
    print(f"two threads against one: {times[1][0] / times[2][0]:.2f}x wall clock; CPU time of "
          f"two threads / one: {times[2][1] / times[1][1]:.2f}  ({load()}, {os.cpu_count()} cores)")


def bench_fit(vk_bench, rounds=7, calls=3000):
    # Both sides as CPU time of the process: on a shared machine the wall clock of a 40 us call
    # is mostly the wait for a core (Google Benchmark's real time was 4x its CPU time here).
    out = subprocess.run(
        [vk_bench, "--benchmark_filter=BM_MayAnpassung/4$", "--benchmark_format=json",
         "--benchmark_repetitions=5", "--benchmark_min_time=0.5"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    cxx_cpu = min(b["cpu_time"] for b in runs)  # microseconds
    cxx_wall = min(b["real_time"] for b in runs)
    fit_only = vk.Data(MAY_X, MAY_F)
    results = {}
    for label, call in (("vk.fit(vk.Data(x, f), 4)", lambda: vk.fit(vk.Data(MAY_X, MAY_F), 4)),
                        ("vk.fit(data, 4), data read once", lambda: vk.fit(fit_only, 4))):
        def calls_of(call=call):
            return [call() for _ in range(calls)]
        cpu = best_of(rounds, calls_of, time.process_time) / calls * 1e6
        wall = best_of(rounds, calls_of) / calls * 1e6
        results[label] = (cpu, wall)
    print(f"negative binomial fit of the may counts in C++ (reading included): {cxx_cpu:.1f} us "
          f"CPU ({cxx_wall:.1f} us wall)")
    for label, (cpu, wall) in results.items():
        print(f"from Python, {label}: {cpu:.1f} us CPU = {cpu / cxx_cpu:.2f}x "
              f"({wall:.1f} us wall = {wall / cxx_wall:.2f}x)")
    print(f"({load()})")


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "batch":
        bench_batch()
    elif len(sys.argv) == 3 and sys.argv[1] == "fit":
        bench_fit(sys.argv[2])
    else:
        sys.exit(__doc__)

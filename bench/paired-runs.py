#!/usr/bin/env python3
"""Paired whole-process timing: RUNS rounds, each running every command once
in turn, so that all of them see the same load.

Usage: paired-runs.py RUNS COMMAND... [-- COMMAND...]...
Prints, on one line, the median wall-clock and processor time (user + system,
from the kernel's account of the child) in ms of each command in order:
"WALL CPU WALL CPU ...". A command that fails stops the script (exit 1)."""
import os
import statistics
import subprocess
import sys
import time

runs = int(sys.argv[1])
commands, current = [], []
for word in sys.argv[2:]:
    if word == "--":
        commands.append(current)
        current = []
    else:
        current.append(word)
commands.append(current)
wall = [[] for _ in commands]
cpu = [[] for _ in commands]
for _ in range(runs):
    for i, command in enumerate(commands):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        if status != 0:
            sys.exit(f"paired-runs.py: {' '.join(command)} failed")
        wall[i].append((time.perf_counter() - start) * 1000)
        cpu[i].append((usage.ru_utime + usage.ru_stime) * 1000)
print(" ".join("%.1f %.1f" % (statistics.median(w), statistics.median(c)) for w, c in zip(wall, cpu)))

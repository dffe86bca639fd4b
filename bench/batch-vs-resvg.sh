#!/usr/bin/env bash
# A batch against resvg: `nacreform --batch` over ROWS rows of the default
# design (1x, a caption of each row's own) against resvg-js drawing the
# program's own SVGs of the same ROWS buttons to PNG files in one Node.js
# process on two worker threads, as paired whole-process runs (each run of one
# followed at once by one of the other), median wall-clock time of RUNS pairs.
# resvg-js comes from the npm registry into a temporary folder.
# Usage: bench/batch-vs-resvg.sh [build/bin/nacreform] [RUNS] [ROWS]
set -euo pipefail
program="$(realpath "${1:-build/bin/nacreform}")"
runs="${2:-5}"
rows="${3:-1000}"
here="$(dirname "$(realpath "$0")")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

npm install --silent --no-audit --no-fund @resvg/resvg-js >/dev/null
cp "$here/resvg-batch.js" .
mkdir png svg
{
    echo "name,String"
    for i in $(seq 1 "$rows"); do echo "row$i,OK $i"; done
} > rows.csv
(cd svg && "$program" --batch ../rows.csv --format svg)

python3 - "$runs" "$rows" "$program" <<'PY'
import os, statistics, subprocess, sys, time
runs, rows, program = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
sides = {"nacreform --batch": ([program, "--batch", "../rows.csv"], "png"),
         "resvg-js, 2 threads": (["node", "resvg-batch.js", "svg", "2"], ".")}
wall = {name: [] for name in sides}
cpu = {name: [] for name in sides}
for _ in range(runs):
    for name, (command, folder) in sides.items():
        start = time.perf_counter()
        child = subprocess.Popen(command, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        if status != 0:
            sys.exit(f"{name} failed")
        wall[name].append(time.perf_counter() - start)
        cpu[name].append(usage.ru_utime + usage.ru_stime)
print(f"load average: {' '.join(open('/proc/loadavg').read().split()[:3])}, median of {runs} paired runs, {rows} images")
print("| Side | wall clock | a image | processor a image |")
print("|---|---|---|---|")
for name in sides:
    w, c = statistics.median(wall[name]), statistics.median(cpu[name])
    print(f"| {name} | {w:.2f} s | {w * 1000 / rows:.2f} ms | {c * 1000 / rows:.2f} ms |")
ours, theirs = (statistics.median(wall[name]) for name in sides)
print(f"nacreform faster by {theirs / ours:.2f} times")
PY

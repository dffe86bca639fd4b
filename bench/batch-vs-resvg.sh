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

# Each side in a folder of its own: the batch writes its PNGs where it runs.
read -r ours ours_cpu theirs theirs_cpu < <("$here/paired-runs.py" "$runs" \
    env -C png "$program" --batch ../rows.csv -- node resvg-batch.js svg 2)
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), median of $runs paired runs, $rows images"
echo "| Side | wall clock | an image | processor time an image |"
echo "|---|---|---|---|"
side() { printf '| %s | %.2f s | %.2f ms | %.2f ms |\n' "$1" "$(echo "$2 / 1000" | bc -l)" \
    "$(echo "$2 / $rows" | bc -l)" "$(echo "$3 / $rows" | bc -l)"; }
side "nacreform --batch" "$ours" "$ours_cpu"
side "resvg-js, 2 threads" "$theirs" "$theirs_cpu"
printf 'nacreform faster by %.2f times\n' "$(echo "$theirs / $ours" | bc -l)"

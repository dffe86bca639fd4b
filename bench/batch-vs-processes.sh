#!/usr/bin/env bash
# How much faster a batch is than running the program once per row: times
# `nacreform --batch` over ROWS rows of the default design (1x, a caption of
# each row's own) against SAMPLE runs of `nacreform --export --set String=...`,
# scaled to ROWS. Usage: bench/batch-vs-processes.sh [build/bin/nacreform] [ROWS] [SAMPLE]
set -euo pipefail
program="$(realpath "${1:-build/bin/nacreform}")"
rows="${2:-1000}"
sample="${3:-100}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

{
    echo "name,String"
    for i in $(seq 1 "$rows"); do echo "row$i,OK $i"; done
} > rows.csv

# Wall-clock and processor seconds (user + system) of a command.
TIMEFORMAT='%R %U %S'
measure() { { time "$@" >/dev/null; } 2>&1 | awk '{ printf "%s %s\n", $1, $2 + $3 }'; }

read -r batch batch_cpu < <(measure "$program" --batch rows.csv)
single_runs() { for i in $(seq 1 "$sample"); do "$program" --export "single$i.png" --set "String=OK $i"; done; }
read -r single single_cpu < <(measure single_runs)

per_row() { echo "$1 * 1000 / $2" | bc -l; }
printf 'batch of %d rows:  %.2f s, %.2f ms a row (processor %.2f ms a row)\n' "$rows" "$batch" \
    "$(per_row "$batch" "$rows")" "$(per_row "$batch_cpu" "$rows")"
printf 'one process a row: %.1f ms a row (processor %.1f ms a row; %d runs)\n' \
    "$(per_row "$single" "$sample")" "$(per_row "$single_cpu" "$sample")" "$sample"
printf 'batch faster by:   %.1f times in wall-clock time\n' \
    "$(echo "($single / $sample) / ($batch / $rows)" | bc -l)"
# On an idle machine the batch spreads its processor time over every core.
printf '                   %.1f times in processor time, %.1f times on %d idle cores\n' \
    "$(echo "($single_cpu / $sample) / ($batch_cpu / $rows)" | bc -l)" \
    "$(echo "($single_cpu / $sample) / ($batch_cpu / $rows / $(nproc))" | bc -l)" "$(nproc)"

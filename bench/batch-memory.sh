#!/usr/bin/env bash
# Peak memory of a batch whose every row fails: a CSV of SIZE MiB (default
# 64, the largest batch file taken) of rows with a colour in no form taken ("blue"),
# run under an address-space limit of LIMIT bytes (default 1 000 000 000).
# Prints the exit code, the last line of standard error and the peak
# resident memory. Usage: bench/batch-memory.sh [build/bin/nacreform] [SIZE] [LIMIT]
set -euo pipefail
program="$(realpath "${1:-build/bin/nacreform}")"
size_mib="${2:-64}"
limit="${3:-1000000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

python3 - "$size_mib" > rows.csv <<'PY'
import sys
limit = int(sys.argv[1]) * 1024 * 1024 - 64
out = ["name,Color1\n"]
size = len(out[0])
i = 0
while True:
    line = f"row{i},blue\n"
    if size + len(line) > limit:
        break
    out.append(line)
    size += len(line)
    i += 1
sys.stdout.write("".join(out))
PY

set +e
/usr/bin/time -f '%M %e %U' -o time.txt prlimit --as="$limit" -- "$program" --batch rows.csv 2> err.txt
code=$?
set -e
read -r peak_kib seconds user < <(tail -n 1 time.txt)
printf 'CSV %s MiB (%d rows), limit --as=%s: exit %d, %s s (%s s processor), peak %d MiB\n' \
    "$size_mib" "$(($(wc -l < rows.csv) - 1))" "$limit" "$code" "$seconds" "$user" "$((peak_kib / 1024))"
printf 'last line: %s\n' "$(tail -n 1 err.txt | cut -c 1-200)"

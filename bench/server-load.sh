#!/usr/bin/env bash
# Load on the render server with wrk, against 127.0.0.1 only, every run
# bounded in time:
#   bench/server-load.sh NACREFORM [SECONDS]
# 1. one URL repeated (cache hits) at 16 connections;
# 2. a new caption per request (distinct-captions.lua) at 16 connections;
# 3. resident memory after 100 000 distinct URLs (at most 10 minutes).
set -euo pipefail
nacreform="$1"
seconds="${2:-10}"
here="$(cd "$(dirname "$0")" && pwd)"
log="$(mktemp)"
"$nacreform" --serve 127.0.0.1:0 --quiet 2>"$log" &
server=$!
trap 'kill -TERM $server 2>/dev/null || true; rm -f "$log"' EXIT
port=""
for _ in $(seq 200); do
    port="$(sed -n 's|.*serving http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$log")"
    [ -n "$port" ] && break
    sleep 0.05
done
[ -n "$port" ] || { cat "$log" >&2; exit 1; }
url="http://127.0.0.1:$port"
rss() { echo "$(( $(ps -o rss= -p "$server") / 1024 )) MiB resident"; }

echo "== load before: $(uptime)"
echo "== repeated URL, 16 connections, ${seconds} s"
wrk -t2 -c16 -d"${seconds}s" --latency "$url/v1/button.png?String=OK"
echo "== distinct captions, 16 connections, ${seconds} s"
wrk -t2 -c16 -d"${seconds}s" --latency -s "$here/distinct-captions.lua" "$url"
rss
echo "== 100 000 distinct URLs"
# wrk keeps running to the end of its duration after its threads stop, so
# the renders are counted here instead and wrk is stopped once they are done.
renders() { curl -s "$url/metrics" | sed -n 's/^nacreform_cache_misses_total //p'; }
goal=$(( $(renders) + 100000 ))
start=$SECONDS
wrk -t2 -c16 -d600s -s "$here/distinct-captions.lua" "$url" >/dev/null &
load=$!
while [ "$(renders)" -lt "$goal" ] && [ $(( SECONDS - start )) -lt 600 ]; do sleep 1; done
kill $load 2>/dev/null || true
wait $load 2>/dev/null || true
echo "$(( $(renders) - goal + 100000 )) renders in $(( SECONDS - start )) s"
rss
curl -s "$url/metrics" | grep -E '^nacreform_(cache_bytes|render_seconds|cache_hits)'
echo "== load after: $(uptime)"

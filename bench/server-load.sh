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
REQUESTS_PER_THREAD=50000 wrk -t2 -c16 -d600s -s "$here/distinct-captions.lua" "$url"
rss
curl -s "$url/metrics" | grep -E '^nacreform_(cache_bytes|render_seconds|cache_hits)'
echo "== load after: $(uptime)"

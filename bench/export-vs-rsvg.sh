#!/usr/bin/env bash
# One image at a time: `nacreform --export` against `rsvg-convert` drawing an
# SVG of the same picture, as paired whole-process runs (each run of one
# program followed at once by one of the other, so that both see the same
# load), median wall-clock time of RUNS pairs per canvas.
#
# The SVGs are written here by hand for each design: the same canvas, the
# same number of gradient fills (shadow, body, shading, glow, gloss and rim)
# and the same caption font (DejaVu Sans, with its shadow copy). The
# program's own SVG of each design (every gradient and the caption's outline
# as it draws them) is timed too, as the fairer pair.
#
# Usage: bench/export-vs-rsvg.sh [build/bin/nacreform] [RUNS] [OTHER_NACREFORM]
# With OTHER_NACREFORM (say, a build of an older commit) it is timed in the
# same pairs and given its own column.
set -euo pipefail
program="$(realpath "${1:-build/bin/nacreform}")"
runs="${2:-10}"
other="${3:+$(realpath "$3")}"
here="$(dirname "$(realpath "$0")")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# svg FILE W H SHAPE_W SHAPE_H RADIUS FONT_PX: a capsule or circle of that
# size with its shadow, gradients and caption on a canvas of W x H.
svg() {
    local file=$1 w=$2 h=$3 sw=$4 sh=$5 r=$6 px=$7
    local x=5 y=5 cx=$(( 5 + $4 / 2 )) cy=$(( 5 + $5 / 2 ))
    cat > "$file" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="$w" height="$h" viewBox="0 0 $w $h">
<defs>
<radialGradient id="shadow"><stop offset="0" stop-color="#000" stop-opacity=".78"/><stop offset="1" stop-color="#000" stop-opacity="0"/></radialGradient>
<linearGradient id="body" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#0068bf"/><stop offset="1" stop-color="#3abced"/></linearGradient>
<radialGradient id="shade" cx=".5" cy=".9" r=".7"><stop offset="0" stop-color="#3abced" stop-opacity=".8"/><stop offset="1" stop-color="#0068bf" stop-opacity="0"/></radialGradient>
<radialGradient id="glow" cx=".5" cy="1" r=".6"><stop offset="0" stop-color="#fff" stop-opacity=".6"/><stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>
<linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff" stop-opacity=".9"/><stop offset="1" stop-color="#fff" stop-opacity=".1"/></linearGradient>
<linearGradient id="rim" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#004080"/><stop offset="1" stop-color="#80d0ff"/></linearGradient>
</defs>
<rect x="$((x - 4))" y="$((y + 2))" width="$((sw + 8))" height="$((sh + 8))" rx="$r" fill="url(#shadow)"/>
<rect x="$x" y="$y" width="$sw" height="$sh" rx="$r" fill="url(#rim)"/>
<rect x="$((x + 2))" y="$((y + 2))" width="$((sw - 4))" height="$((sh - 4))" rx="$r" fill="url(#body)"/>
<rect x="$x" y="$y" width="$sw" height="$sh" rx="$r" fill="url(#shade)"/>
<rect x="$x" y="$y" width="$sw" height="$sh" rx="$r" fill="url(#glow)"/>
<text x="$cx" y="$((cy + px * 13 / 100 + px / 3))" font-family="DejaVu Sans" font-size="$px" text-anchor="middle" fill="#fff" fill-opacity=".24">NACRE</text>
<text x="$cx" y="$((cy + px / 3))" font-family="DejaVu Sans" font-size="$px" text-anchor="middle" fill="#fff" fill-opacity=".98">NACRE</text>
<rect x="$((x + sw / 10))" y="$((y + 2))" width="$((sw * 8 / 10))" height="$((sh * 45 / 100))" rx="$r" fill="url(#gloss)"/>
</svg>
SVG
}

# name, nacreform settings, canvas and shape for the SVG
cases=(
    "145x148|ShapeSize=128,128|145 148 128 128 64 34"
    "432x192|ShapeSize=400,160 RenderID=32774|432 192 400 160 80 42"
    "1066x466|ShapeSize=1000,400 RenderID=32774|1066 466 1000 400 200 106"
    "2122x922|ShapeSize=2000,800 RenderID=32774|2122 922 2000 800 400 213"
)

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), median of $runs paired runs, wall clock (processor time)"
printf '| Canvas | nacreform |%s rsvg-convert, SVG by hand | ratio | rsvg-convert, own SVG | ratio |\n' \
    "${other:+ other nacreform |}"
printf '|---|---|%s---|---|---|---|\n' "${other:+---|}"
for entry in "${cases[@]}"; do
    IFS='|' read -r name settings geometry <<< "$entry"
    set -- $geometry
    svg "$name.svg" "$@"
    sets=()
    for s in $settings; do sets+=(--set "$s"); done
    "$program" --export "$name-own.svg" "${sets[@]}"
    more=()
    [ -n "$other" ] && more=(-- "$other" --export older.png "${sets[@]}")
    read -r a acpu b bcpu c ccpu d dcpu < <("$here/paired-runs.py" "$runs" "$program" --export ours.png "${sets[@]}" \
        -- rsvg-convert "$name.svg" -o theirs.png -- rsvg-convert "$name-own.svg" -o own.png "${more[@]}")
    older=""
    [ -n "$other" ] && older=" $d ms ($dcpu) |"
    printf '| %s | %s ms (%s) |%s %s ms (%s) | %.2f | %s ms (%s) | %.2f |\n' "$name" "$a" "$acpu" "$older" \
        "$b" "$bcpu" "$(echo "$a / $b" | bc -l)" "$c" "$ccpu" "$(echo "$a / $c" | bc -l)"
done

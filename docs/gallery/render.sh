#!/usr/bin/env bash
# Renders the gallery: every built-in preset (nacreform --list-presets) as the
# program draws it. Run from anywhere after a build; writes NAME.png next to
# this file.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
nacreform="${NACREFORM:-$here/../../build/bin/nacreform}"
cd "$here"

"$nacreform" --list-presets | while read -r name _; do
    "$nacreform" --preset "$name" --export "$name.png"
done

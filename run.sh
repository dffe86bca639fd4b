#!/usr/bin/env bash
# Sets up, builds and starts Nacreform. Arguments go to the program,
# e.g. ./run.sh --export button.png
# Installs and builds only what the program needs: no tests, benchmarks or
# installation check (./test.sh adds those).
set -euo pipefail
NACREFORM_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$NACREFORM_ROOT/scripts/setup.sh"
nacreform_install_packages "${NACREFORM_PACKAGES[@]}" >&2
# Tests and benchmarks stay configured in a build folder test.sh has used.
options=()
[ -f "$NACREFORM_ROOT/build/CMakeCache.txt" ] || options=(-DNACREFORM_TESTS=OFF -DNACREFORM_BENCH=OFF)
nacreform_build "$NACREFORM_ROOT/build" nacreform "${options[@]}" >&2
exec "$NACREFORM_ROOT/build/bin/nacreform" "$@"

#!/usr/bin/env bash
# Sets up, builds and starts Nacreform. Arguments go to the program,
# e.g. ./run.sh --export button.png
set -euo pipefail
NACREFORM_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$NACREFORM_ROOT/scripts/setup.sh"
nacreform_install_packages
nacreform_build "$NACREFORM_ROOT/build" >&2
exec "$NACREFORM_ROOT/build/bin/nacreform" "$@"

#!/usr/bin/env bash
# Sets up, builds and runs every test. Exit status is non-zero on any failure.
# With NACREFORM_SANITIZE=1 the tests also run once more in a separate build
# with the address and undefined-behaviour sanitizers.
set -euo pipefail
NACREFORM_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$NACREFORM_ROOT/scripts/setup.sh"
nacreform_install_packages "${NACREFORM_PACKAGES[@]}" "${NACREFORM_TEST_PACKAGES[@]}"
nacreform_build "$NACREFORM_ROOT/build" all -DNACREFORM_TESTS=ON -DNACREFORM_BENCH=ON
(cd "$NACREFORM_ROOT/build" && ctest --output-on-failure --timeout 300 --parallel "$(nproc)")
if [ "${NACREFORM_SANITIZE:-0}" = 1 ]; then
    nacreform_build "$NACREFORM_ROOT/build-sanitize" all -DNACREFORM_SANITIZE=ON -DNACREFORM_BENCH=OFF -DNACREFORM_TESTS=ON -DCMAKE_BUILD_TYPE=Debug
    # Tests that hold the program to wall-clock limits (a browser's page, a
    # server under load or told to stop) ran above; the sanitizers slow the
    # program several-fold, so here they would judge the sanitizers.
    timed='ServerTest.test_idle_connections|ServerTest.test_overload|ServerTest.test_stop_on_a_signal|EditorPageTest|SvgBrowserTest|SpriteDemoPageBrowserTest'
    (cd "$NACREFORM_ROOT/build-sanitize" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure --timeout 600 --parallel "$(nproc)" -E "$timed")
fi

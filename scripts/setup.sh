# Shared set-up of run.sh and test.sh: installs the Debian packages that are
# missing and configures and builds into build/. Sourced, not executed.

# What building and running the program needs.
NACREFORM_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
    libdeflate-dev libfontconfig-dev libfreetype-dev libharfbuzz-dev libmicrohttpd-dev
    fonts-noto-cjk fonts-dejavu-core
)

# What the tests, benchmarks and the installation check need on top.
NACREFORM_TEST_PACKAGES=(
    googletest libgtest-dev libbenchmark-dev
    librsvg2-bin bc python3
    xvfb xauth
    desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin
    man-db bsdextrautils dpkg-dev lintian
    python3 systemd librsvg2-bin
    # Chromium and its driver for the SVG and the sprite demo page's browser tests
    chromium chromium-driver python3-selenium python3-pil
    # GNU time for the batch memory check
    time
)

# nacreform_install_packages PACKAGE...: installs those not installed yet.
nacreform_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# nacreform_build BUILD_DIR TARGET [extra cmake arguments...]: TARGET "all"
# builds everything the tests need.
nacreform_build() {
    local dir="$1" target="$2"; shift 2
    local launcher=()
    # A compiler cache makes rebuilds in fresh clones and side-by-side work
    # trees cheap; precompiled headers need it to look past their time stamps.
    if command -v ccache >/dev/null && [ "${CCACHE_DISABLE:-0}" != 1 ]; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
        # Paths relative to the clone, so that another clone hits the same entries.
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$NACREFORM_ROOT}"
    fi
    cmake -S "$NACREFORM_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" --target "$target"
}

# Shared set-up of run.sh and test.sh: installs the Debian packages the build
# needs (only those missing) and configures and builds into build/.
# Sourced, not executed.

NACREFORM_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
    libpng-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-noto-cjk fonts-dejavu-core
    xvfb xauth
    desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin
    man-db bsdextrautils dpkg-dev lintian
    # the sprite demo page's test in a browser
    chromium chromium-driver python3-selenium python3-pil
)

nacreform_install_packages() {
    local missing=()
    local pkg
    for pkg in "${NACREFORM_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# nacreform_build BUILD_DIR [extra cmake arguments...]
nacreform_build() {
    local dir="$1"; shift
    local launcher=()
    # A compiler cache makes rebuilds in fresh clones and side-by-side work trees cheap.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$NACREFORM_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

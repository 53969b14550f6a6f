# Shared by run.sh and test.sh: install the Debian packages that are missing, configure and build.

TIVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Packages needed to build and start Tivane.
TIVANE_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins qt6-translations-l10n
    libzip-dev libfontconfig-dev fonts-liberation)
# Packages needed to build and run the fuzzers (scripts/fuzz.sh).
TIVANE_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Packages needed only by the tests, the benchmarks and the fuzzers.
TIVANE_TEST_PACKAGES=(libbenchmark-dev xvfb xauth imagemagick xdotool poppler-utils python3
    desktop-file-utils appstream "${TIVANE_FUZZ_PACKAGES[@]}")

tivane_install_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# tivane_build DIR [cmake options...]: configure when the folder is new or the options changed,
# then build incrementally.
tivane_build() {
    local dir="$1"; shift
    local options="$*"
    if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/.tivane-options" 2>/dev/null)" != "$options" ]; then
        cmake -S "$TIVANE_ROOT" -B "$dir" -G Ninja "$@"
        printf '%s' "$options" > "$dir/.tivane-options"
    fi
    cmake --build "$dir"
}

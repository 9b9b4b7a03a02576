# Shared by ./run and ./test: installs the Debian packages the build needs when they are missing.
# shellcheck shell=bash

RUNTIME_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-translations-l10n
    qt6-qpa-plugins qt6-image-formats-plugins libgl-dev
    libicu-dev zlib1g-dev libqrencode-dev
    fonts-noto-cjk
)
TEST_PACKAGES=(
    clang-14 libclang-rt-14-dev libgtest-dev libgmock-dev
    python3
    python3-phonenumbers python3-icu zbar-tools poppler-utils
    desktop-file-utils appstream-util
)

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: installing packages needs root; install these and retry: ${*: -1}" >&2
        return 1
    fi
}

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    echo "Installing Debian packages: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds a build directory. Extra arguments go to cmake at configure time.
build_tree() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}

# Fetches the npm package the postal-code lists are built from into build/downloads, for the test
# that rebuilds them. Without npm or a network the test skips; nothing else depends on it.
fetch_postal_source() {
    local record=resources/postal-codes-source.txt
    local package version
    package=$(sed -n 's/^package: *//p' "$record")
    version=$(sed -n 's/^version: *//p' "$record")
    mkdir -p build/downloads
    # A node.js from elsewhere brings its own npm, which Debian's npm package would conflict with.
    if ! command -v npm >/dev/null 2>&1; then
        ensure_packages npm || echo "note: npm could not be installed; the postal data test skips"
    fi
    if [ ! -f "build/downloads/$package-$version.tgz" ] && command -v npm >/dev/null 2>&1; then
        npm pack --silent --fetch-retries=1 --fetch-timeout=30000 --pack-destination build/downloads \
            "$package@$version" >/dev/null 2>&1 \
            || echo "note: could not fetch $package@$version with npm; the postal data test skips"
    fi
}

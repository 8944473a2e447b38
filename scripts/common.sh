# Shared by play.sh and test.sh: Debian packages and the CMake build.
# Sourced, not run.

ZOMMEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the Debian packages that are missing (apt-get, with sudo when not
# root). Does nothing, quickly, when all are there.
zommel_need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}

ZOMMEL_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev
    libqt6opengl6-dev libgl-dev libgtest-dev libbenchmark-dev)

# Configures the tree in $1 once, with the CMake arguments that follow.
zommel_configure() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ZOMMEL_ROOT" -B "$dir" -G Ninja "$@"
    fi
}

# Configures (once) and builds the tree in $1 with the CMake arguments that follow.
zommel_build() {
    zommel_configure "$@"
    cmake --build "$1"
}

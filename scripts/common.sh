# Shared by scripts/run and scripts/test: install what the build needs, then
# configure and build into build/.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR="$ROOT/build"

PACKAGES=(
    cmake ninja-build g++ ccache
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libqt6help6 libqt6sql6-sqlite
    qt6-documentation-tools qt6-svg-dev
    fonts-liberation2 fonts-dejavu-core xdg-utils
    libqt6svg6 locales
    xvfb xauth xdotool poppler-utils
)

ensure_packages() {
    local missing=()
    local p
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

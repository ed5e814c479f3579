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
    desktop-file-utils appstream dpkg-dev file
    at-spi2-core python3-pyatspi dbus-daemon
    clang-14 libclang-rt-14-dev
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

# C-library locales the tests run under: printf and strtod follow these, and a
# test under German settings is how a decimal comma in the wrong place shows.
TEST_LOCALES=(de_DE.UTF-8 fr_FR.UTF-8 sv_SE.UTF-8 he_IL.UTF-8 ar_EG.UTF-8)

ensure_locales() {
    local missing=() l
    for l in "$@"; do
        locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8" || missing+=("$l")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Generating locales: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    for l in "${missing[@]}"; do
        if grep -q "^# *${l} UTF-8" /etc/locale.gen; then
            "${sudo[@]}" sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
        elif ! grep -q "^${l} UTF-8" /etc/locale.gen; then
            echo "${l} UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
        fi
    done
    "${sudo[@]}" locale-gen
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

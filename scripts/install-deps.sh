#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12; quiet and quick when all is there.
#   scripts/install-deps.sh              what the build and the tests need
#   scripts/install-deps.sh --packaging  that, and what building and checking the .deb need
#   scripts/install-deps.sh --screenshot that, and what scripts/update-screenshot.sh needs
#   scripts/install-deps.sh --bench      that, and what bench/run.sh needs
#   scripts/install-deps.sh --fuzz       that, and what fuzz/run.sh needs
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation fonts-inter fonts-urw-base35
    xvfb xauth
    libhamlib-utils python3-hamlib socat
    libx11-dev
    at-spi2-core python3-pyatspi dbus-daemon xdotool
    openbox x11-utils
)
case ${1:-} in
    --packaging) packages+=(dpkg-dev file lintian appstream desktop-file-utils man-db) ;;
    --screenshot) packages+=(imagemagick) ;;
    --bench) packages+=(valgrind) ;;
    --fuzz) packages+=(clang) ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Refreshes docs/screenshot.png, the README's picture of the live panel: the main window as
# scripts/screenshots.sh takes it (the real program on a private Xvfb screen, connected to the
# virtual transmitter, in a profile of its own).
#   scripts/update-screenshot.sh [--build DIR]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}
if [[ ${1:-} == --build ]]; then
    build=$(realpath "$2")
fi

"$root/scripts/install-deps.sh" --screenshot
cmake -S "$root" -B "$build" -G Ninja -Wno-dev >/dev/null
cmake --build "$build" --target vora-tx-controller vora-txsim
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
"$root/scripts/screenshots.sh" --build "$build" "$shots"
cp "$shots/main.png" "$root/docs/screenshot.png"
echo "update-screenshot.sh: wrote docs/screenshot.png" >&2

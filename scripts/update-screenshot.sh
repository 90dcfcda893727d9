#!/usr/bin/env bash
# Refreshes the README's pictures: docs/screenshot.png, the live panel's main window as
# scripts/screenshots.sh takes it (the real program on a private Xvfb screen, connected to the
# virtual transmitter, in a profile of its own), and docs/screenshots/: Serial Ports, Go to
# Frequency and the question before closing keyed, as scripts/tour-screenshots.sh takes them
# under a window manager. Look at them before you commit them.
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
"$root/scripts/tour-screenshots.sh" --build "$build" "$shots/tour"
mkdir -p "$root/docs/screenshots"
for name in serial-ports go-to-frequency question; do
    cp "$shots/tour/$name.png" "$root/docs/screenshots/$name.png"
done
echo "update-screenshot.sh: wrote docs/screenshot.png and docs/screenshots/" >&2

#!/usr/bin/env bash
# Refreshes docs/screenshot.png, the README's picture of the live panel: the real program on a
# virtual X display, connected to the virtual transmitter, in a settings folder of its own.
#   scripts/update-screenshot.sh [--build DIR] [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
out=$root/docs/screenshot.png
while (($#)); do
    case $1 in
        --build) build=$(realpath "$2"); shift 2 ;;
        *) out=$(realpath "$1"); shift ;;
    esac
done

if [[ -z ${VORA_SCREENSHOT_DISPLAY:-} ]]; then
    "$root/scripts/install-deps.sh" --screenshot
    cmake -S "$root" -B "$build" -G Ninja -Wno-dev >/dev/null
    cmake --build "$build" --target vora-tx-controller vora-txsim
    # A display of our own, whatever the desktop has: the same picture on every machine.
    VORA_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 800x600x24" \
        "$0" --build "$build" "$out"
fi

profile=$(mktemp -d)
export XDG_CONFIG_HOME=$profile XDG_RUNTIME_DIR=$profile/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$profile"
}
trap cleanup EXIT

"$build/tools/txsim/vora-txsim" --port 1 --quiet --frequency 1296.2 --power 160 >/dev/null &
pids+=($!)
for _ in $(seq 50); do
    [[ -e $profile/VoraTXController/ports/com1 ]] && break
    sleep 0.1
done
"$build/src/app/vora-tx-controller" &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name '^Vora TX Controller$' | head -1)
# Long enough for the first records and a status repeat to arrive and show.
sleep 3
import -window "$window" "png:$out"
echo "update-screenshot.sh: wrote $out" >&2

#!/usr/bin/env bash
# The Settings dialog under a real window manager: a display of its own with openbox, the virtual
# transmitter and the program. The window manager frames the dialog only after it is shown; the
# dialog must then sit centred by its outer size, title bar included, stay where the operator
# drags it, and open centred again. Exits 77 (a skipped test) when a tool it needs is missing.
#   run-window-manager-test.sh PROGRAM TXSIM
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1
txsim=$2
source "$here/../../scripts/private-display.sh"
skip_unless_installed Xvfb openbox xdotool xwininfo xprop

work=$(mktemp -d)
pids=()
cleanup() {
    status=$?
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
    done
    stop_private_display
    if [[ $status -ne 0 && $status -ne 77 ]]; then
        tail -n 20 "$work"/*.log
    fi
    rm -rf "$work"
}
trap cleanup EXIT

PRIVATE_DISPLAY_SIZE=1280x1024
start_private_display "$work" || { echo "no display"; exit 1; }
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
export XDG_RUNTIME_DIR=$work/runtime LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "FAILED: $*"
    exit 1
}

start_window_manager "$work" || fail "openbox did not start"
"$txsim" --port 1 >"$work/txsim.log" 2>&1 &
pids+=($!)
within_15s test -e "$XDG_CONFIG_HOME/VoraTXController/ports/com1" || fail "no virtual transmitter"
"$program" >"$work/program.log" 2>&1 &
pids+=($!)

window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [[ -n $(window "$1") ]]; }
within_15s shown 'Vora TX Controller' || fail "the main window did not open"
main=$(window 'Vora TX Controller')

# The dialog's outer rectangle, its frame included, as "x y width height".
outer() {
    local info extents left right top bottom
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS)
    [[ $extents == *=* ]] || return 1
    IFS=', ' read -r left right top bottom <<<"${extents#*= }"
    awk -v l="$left" -v r="$right" -v t="$top" -v b="$bottom" '
        /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 }
        END { print x - l, y - t, w + l + r, h + t + b }' <<<"$info"
}
# True when the outer rectangle's centre is within a pixel of the screen's.
centred() {
    local x y w h
    read -r x y w h < <(outer "$1") || return 1
    local dx=$((2 * x + w - 1280)) dy=$((2 * y + h - 1024))
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}
open_settings() {
    xdotool windowactivate --sync "$main" key alt+o
    sleep 0.3 # the menu takes the keyboard as it opens
    xdotool key s
    within_15s shown Options || fail "Options, Settings opened no dialog"
    dialog=$(window Options)
}

for opening in 1 2; do
    open_settings
    within_15s centred "$dialog" || fail "opening $opening: not centred: outer $(outer "$dialog")"
    echo "opening $opening: outer $(outer "$dialog"), centred on 1280x1024"
    # The operator's place is kept: the dialog is not centred again under them.
    xdotool windowmove --sync "$dialog" 100 120
    dragged=$(outer "$dialog")
    [[ $dragged =~ ^(99|100)\ (100|120)\  ]] || fail "not moved by the drag: $dragged"
    for _ in $(seq 10); do
        sleep 0.1
        [[ $(outer "$dialog") == "$dragged" ]] || fail "moved from where it was dragged: $(outer "$dialog")"
    done
    xdotool windowactivate --sync "$dialog" key Escape
    within_15s eval '! shown Options' || fail "Escape did not close the dialog"
done
echo "passed"

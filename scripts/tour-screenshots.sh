#!/usr/bin/env bash
# Takes a picture of every window an operator meets, as a desktop shows them: the real program on
# a private Xvfb screen with the openbox window manager, connected to the virtual transmitter, in
# the language and at the scale asked for. For looking at what a change did to the windows, in
# every language and at every scale, and for the README's pictures (scripts/update-screenshot.sh).
#
#   scripts/tour-screenshots.sh [--build DIR] [--lang LANG] [--scale N] OUT_DIR
#
# LANG is a locale name such as nl_NL.UTF-8 (default C.UTF-8: the program's own English); N is
# Qt's scale factor, 1 or 2 (default 1). Writes OUT_DIR/main.png, settings.png, monitor.png,
# serial-ports.png, go-to-frequency.png, about.png and question.png (the question before closing
# while the carrier is on, which it keys first), each window without its frame, and sheet.png with
# all seven.
# The windows are opened with the menu's keys, which are the same in every language. Unlike
# scripts/screenshots.sh, two runs need not give the same pixels (lamps, credits). About 15 s.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}
lang=C.UTF-8
scale=1
me=tour-screenshots.sh

usage() {
    echo "usage: scripts/$me [--build DIR] [--lang LANG] [--scale 1|2] OUT_DIR" >&2
    exit 2
}
out=
while (($#)); do
    case $1 in
        --build) (($# >= 2)) || usage; build=$2; shift 2 ;;
        --lang) (($# >= 2)) || usage; lang=$2; shift 2 ;;
        --scale) (($# >= 2)) || usage; scale=$2; shift 2 ;;
        -*) usage ;;
        *) [[ -z $out ]] || usage; out=$1; shift ;;
    esac
done
[[ -n $out && $scale =~ ^[12]$ ]] || usage
die() {
    echo "$me: $*" >&2
    exit 1
}
app_bin=$(realpath "$build/src/app/vora-tx-controller" 2>/dev/null) || die "no panel in $build"
sim_bin=$(realpath "$build/tools/txsim/vora-txsim" 2>/dev/null) || die "no simulator in $build"
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh --screenshot)"
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/vora-tour.XXXXXX")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
    done
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT

PRIVATE_DISPLAY_SIZE=$((1280 * scale))x$((1024 * scale))
source "$root/scripts/private-display.sh"
start_private_display "$work" || die "no display"
mkdir -p "$work/home" "$work/config" && mkdir -m 700 "$work/runtime"
run=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" DISPLAY="$DISPLAY" TZ=UTC
    LANG="$lang" LANGUAGE= XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale")

start_window_manager "$work" "${run[@]:1}" || die "openbox did not start"
"${run[@]}" "$sim_bin" --port 1 >"$work/sim.log" 2>&1 &
pids+=($!)
within_15s test -e "$work/config/VoraTXController/ports/com1" || die "the simulator published no port"
"${run[@]}" "$app_bin" >"$work/app.log" 2>&1 &
app=$!
pids+=("$app")

windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort || true; }
# Runs "$@" and prints the id of the window of the program's that it brought up.
opened_by() {
    local before new
    before=$(windows)
    "$@"
    for _ in $(seq 300); do
        new=$(comm -13 <(echo "$before") <(windows) | head -n 1)
        if [[ -n $new ]]; then
            sleep 0.5 # its first paint, and the window manager's focus
            echo "$new"
            return 0
        fi
        sleep 0.05
    done
    die "$* opened no window"
}
take() {
    xdotool mousemove 0 $((1024 * scale - 1))
    import -silent -window "$1" "$out/$2.png" || die "could not take $2"
    echo "$me: $2.png"
}
menu() {
    xdotool windowactivate --sync "$main" key "alt+$1"
    sleep 0.3 # the menu takes the keyboard as it opens
    [[ -z ${2:-} ]] || xdotool key "$2"
}

within_15s eval '[[ -n $(windows) ]]' || die "the main window did not open"
main=$(windows | head -n 1)
sleep 2.5 # the transmitter's status, and the lamps out
take "$main" main
id=$(opened_by menu o s) && take "$id" settings && xdotool windowactivate --sync "$id" key Escape
id=$(opened_by menu o p) && take "$id" serial-ports && xdotool windowclose "$id"
# Go to Frequency after a tune to 1296.250 MHz, which it then keeps as a memory.
id=$(opened_by menu o g)
xdotool type --window "$id" --delay 30 1296.250
xdotool key --window "$id" Return
tuned() { grep -q '^tx F1296250' "$work/sim.log"; }
within_15s tuned || die "the transmitter did not reach 1296.250 MHz"
sleep 1 # the step put back, and the result said
# "Add current frequency" by the Tab order (Go, the result, the memories, Add), not by its letter,
# which differs by language.
xdotool key --window "$id" Tab Tab Tab Tab space
sleep 0.3
take "$id" go-to-frequency && xdotool windowclose "$id"
id=$(opened_by menu o r) && take "$id" monitor
id=$(opened_by menu a) && sleep 2 && take "$id" about
# Keys the carrier with the keyboard ("On / Off" is the fifth control in the Tab order), waits for
# the transmitter to report it on, then asks to close.
xdotool windowactivate --sync "$main" key Tab Tab Tab Tab space
keyed() { grep '^tx S' "$work/sim.log" | tail -n 1 | grep -q '^tx S...1'; }
within_15s keyed || die "the carrier was not reported on"
sleep 0.5
id=$(opened_by menu f x) && take "$id" question

# All seven on one sheet, for looking at a language and a scale at a glance.
if command -v montage >/dev/null; then
    (cd "$out" && montage main.png settings.png monitor.png about.png question.png \
        go-to-frequency.png serial-ports.png -tile 2x4 -geometry +8+8 -background '#808080' \
        sheet.png)
    echo "$me: sheet.png"
fi

#!/usr/bin/env bash
# Gives screen_reader.py what a screen reader has on a desktop: an X display, a session bus and
# the accessibility bus, all private to this run. The script starts the virtual transmitter and
# the program itself. Exits 77 (a skipped test) when a tool it needs is not installed.
#   run-screen-reader-test.sh PROGRAM TXSIM
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1
txsim=$2

skip() {
    echo "skipped: $* (scripts/install-deps.sh installs it)"
    exit 77
}
for tool in Xvfb dbus-run-session xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi2-core is missing"
# The distribution's Python, which the distribution's bindings belong to.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

work=$(mktemp -d)
xvfb=
cleanup() {
    status=$?
    if [[ -n $xvfb ]]; then
        kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    fi
    # What went wrong stays where ctest ran the test.
    if [[ $status -ne 0 && $status -ne 77 ]]; then
        rm -rf screen-reader-logs && mkdir -p screen-reader-logs
        cp "$work"/*.log screen-reader-logs/ 2>/dev/null || true
        echo "logs: $PWD/screen-reader-logs"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it once it accepts clients; it must
# not reset when its last client goes, or a client connecting just then is refused. A machine
# shared with other displays may hand out a number another server is just taking; then again.
start_display() {
    rm -f "$work/display"
    exec {display_fd}>"$work/display"
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    exec {display_fd}>&-
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb" 2>/dev/null || return 1
        sleep 0.1
    done
    [[ -s $work/display ]] || return 1
    export DISPLAY=:$(head -n1 "$work/display")
    xdotool getdisplaygeometry >/dev/null 2>&1
}
for attempt in 1 2 3; do
    start_display && break
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    xvfb=
    [[ $attempt -eq 3 ]] && { cat "$work/xvfb.log"; echo "no display"; exit 1; }
done

# Nothing of the desktop this may run in: its buses, its settings and port map.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Under AddressSanitizer, Debian 12's libxkbcommon-x11 reads a keymap name with strndup past
# its end, which strict string checks report as the program connects to the display.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
    export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
fi

# The session bus starts the accessibility bus and its registry on demand, with DISPLAY set.
dbus-run-session -- "$python" "$here/screen_reader.py" --program "$program" --txsim "$txsim" \
    --work "$work"

#!/usr/bin/env bash
# Gives screen_reader.py what a screen reader has on a desktop: an X display, a session bus and
# the accessibility bus, all private to this run. The script starts the virtual transmitter and
# the program itself. Exits 77 (a skipped test) when a tool it needs is not installed.
#   run-screen-reader-test.sh PROGRAM TXSIM
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1
txsim=$2
source "$here/../../scripts/private-display.sh"
skip_unless_installed Xvfb dbus-run-session xdotool
[[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi2-core is missing"
# The distribution's Python, which the distribution's bindings belong to.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

work=$(mktemp -d)
cleanup() {
    status=$?
    stop_private_display
    # What went wrong stays where ctest ran the test.
    if [[ $status -ne 0 && $status -ne 77 ]]; then
        rm -rf screen-reader-logs && mkdir -p screen-reader-logs
        cp "$work"/*.log screen-reader-logs/ 2>/dev/null || true
        echo "logs: $PWD/screen-reader-logs"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, 1024 x 768 at 96 dpi.
start_private_display "$work" || { echo "no display"; exit 1; }

# Nothing of the desktop this may run in: its buses, its settings and port map.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The session bus starts the accessibility bus and its registry on demand, with DISPLAY set.
dbus-run-session -- "$python" "$here/screen_reader.py" --program "$program" --txsim "$txsim" \
    --work "$work"

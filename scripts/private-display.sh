# shellcheck shell=bash
# Sourced by the tests that need a real X display: start_private_display WORK starts an Xvfb
# server of the run's own (its pid in $xvfb, DISPLAY exported) and returns non-zero if none came
# up in three tries; stop_private_display ends it. Programs run under AddressSanitizer go easy on
# one library's string reads (below). start_window_manager WORK [ENV...] runs openbox on it, in
# the environment given (env's NAME=VALUE words, after -i if it starts afresh); within_15s polls
# for what the display is to show; skip_unless_installed TOOL... ends a test as skipped (77).
#
# Xvfb picks a free number and writes it once it accepts clients; it must not reset when its last
# client goes, or a client connecting just then is refused. A machine shared with other displays
# may hand out a number another server is just taking; then it is tried again.
xvfb=

start_display_once() {
    local work=$1 display_fd
    rm -f "$work/display"
    exec {display_fd}>"$work/display"
    Xvfb -displayfd "$display_fd" -screen 0 "${PRIVATE_DISPLAY_SIZE:-1024x768}x24" -dpi 96 \
        -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    exec {display_fd}>&-
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb" 2>/dev/null || return 1
        sleep 0.1
    done
    [[ -s $work/display ]] || return 1
    DISPLAY=:$(head -n1 "$work/display")
    export DISPLAY
    # Under AddressSanitizer, Debian 12's libxkbcommon-x11 reads a keymap name with strndup past
    # its end, which strict string checks report as a program connects to the display.
    if [[ -n ${ASAN_OPTIONS:-} && $ASAN_OPTIONS != *strict_string_checks=0 ]]; then
        export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
    fi
    xdotool getdisplaygeometry >/dev/null 2>&1
}

window_manager=

start_window_manager() {
    local work=$1
    shift
    env "$@" openbox >"$work/openbox.log" 2>&1 &
    window_manager=$!
    within_15s eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

stop_private_display() {
    if [[ -n $window_manager ]]; then
        kill "$window_manager" 2>/dev/null && wait "$window_manager" 2>/dev/null
    fi
    window_manager=
    if [[ -n $xvfb ]]; then
        kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    fi
    xvfb=
}

start_private_display() {
    for _ in 1 2 3; do
        start_display_once "$1" && return 0
        stop_private_display
    done
    cat "$1/xvfb.log"
    return 1
}

# Runs the command "$@" every 50 ms until it succeeds, for up to 15 s; false if it never did.
within_15s() {
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Ends the test as skipped (exit 77, as ctest is told) unless every tool named is on the PATH.
skip_unless_installed() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || skip "$tool is missing"
    done
}
skip() {
    echo "skipped: $* (scripts/install-deps.sh installs it)"
    exit 77
}

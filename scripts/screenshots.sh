#!/usr/bin/env bash
# Takes screenshots of the four windows an operator sees: the main window, the link monitor, the
# Settings dialog and the About window, as PNG files that two runs of the same build reproduce
# pixel for pixel. Meant for showing that a change to the code leaves what the operator sees alone:
# take a set before, a set after, and hold them side by side with scripts/compare-screenshots.sh.
#
#   scripts/screenshots.sh [--build DIR] OUT_DIR
#
# Writes OUT_DIR/main.png, monitor.png, settings.png and about.png. DIR is the build folder
# (default: $VORA_BUILD_DIR, else build/ beside this folder); it must hold the built panel
# (src/app/vora-tx-controller) and the virtual transmitter (tools/txsim/vora-txsim). Needs Xvfb,
# xdotool and ImageMagick; touches neither your display nor your settings. Takes about 20 s.
#
# How the pictures are kept the same from run to run:
# - Everything runs on a private Xvfb screen (fixed size, 96 dpi, no cursor, no window manager),
#   with a private home, configuration, cache and port map, and a bare environment, so that no
#   style, theme, scale factor, font setting or stored port of yours gets in.
# - Windows are taken by their X window id, so their place on the screen does not matter, and in an
#   order that keeps each one on top when it is taken (the monitor opens over the main window's
#   corner, so it comes last). The pointer waits in the far corner of the screen, away from every
#   window, so that nothing shows a hover. Each window is given the keyboard focus before it is
#   taken, as a desktop does with the window one has just opened.
# - Menus have no mnemonics: a click on the first caption of the menu bar opens "File", and the
#   arrow keys walk from there to "Options" ("Settings", "RS232 Monitor") and to "About", which is
#   then clicked where the bar shows it lit.
# - The transmit and receive lamps light for 200 ms on every command and every record, and the
#   status bar says "Disconnected" after 4 s without a record (whole seconds of the clock, so
#   anything from 3 s on can trip it). The simulator repeats its status every 2 s here, not every
#   second, and logs every command it reads ("rx") and every record it sends ("tx"). The main
#   window and the monitor are taken only after 700 ms without a new line in that log, when both
#   lamps are out and the link is still up (the last record is at most 2 s old); if a line arrives
#   before the picture is done, it is taken again.
# - The About window scrolls its credits every 16 ms and closes itself once they are gone. Just
#   before it closes it stands still for about 190 ms, showing the call sign and the version
#   beneath the scrolled-away credits; that last picture is the same every time, and it is the one
#   kept. A busy machine can take longer than that over a single picture, so for the last stretch
#   the panel is run in short slices and stopped while each picture is taken (take_about_end
#   below); nothing of the program changes for it. Nothing is masked: the whole window is compared.
#   The one thing about.png cannot show is the wording of the credits as they pass; the logo, the
#   link, the captions, the frames and the end are in it.
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}
me=screenshots.sh

usage() {
    echo "usage: scripts/$me [--build DIR] OUT_DIR" >&2
    exit 2
}

out=
while (($#)); do
    case $1 in
        --build)
            (($# >= 2)) || usage
            build=$2
            shift 2
            ;;
        --build=*)
            build=${1#--build=}
            shift
            ;;
        -h | --help) usage ;;
        -*) usage ;;
        *)
            [[ -z $out ]] || usage
            out=$1
            shift
            ;;
    esac
done
[[ -n $out ]] || usage

die() {
    echo "$me: $*" >&2
    exit 1
}

app_bin=$build/src/app/vora-tx-controller
sim_bin=$build/tools/txsim/vora-txsim
[[ -x $app_bin ]] || die "no panel at $app_bin (build it, or point --build at the build folder)"
[[ -x $sim_bin ]] || die "no simulator at $sim_bin (build it, or point --build at the build folder)"
for tool in Xvfb xdotool import compare identify md5sum timeout; do
    command -v "$tool" >/dev/null || die "$tool is missing (apt-get install xvfb xdotool imagemagick)"
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
# A run that fails must not leave an older set behind that looks like its own.
rm -f "$out"/{main,monitor,settings,about}.png "$out/failure-screen.png"
app_bin=$(cd "$(dirname "$app_bin")" && pwd)/$(basename "$app_bin")
sim_bin=$(cd "$(dirname "$sim_bin")" && pwd)/$(basename "$sim_bin")

# The screen, and the pointer's resting place: the far corner, where no window ever goes.
screen_w=1280
screen_h=1024
rest_x=$((screen_w - 1))
rest_y=$((screen_h - 1))

readonly window_timeout_s=15     # for a window to appear, or a popup menu to open
readonly quiet_ms=700            # log silence before the lamps count as out
readonly status_interval_ms=2000 # the simulator's status repeat
readonly about_close_timeout_s=120 # stopping the panel in slices stretches its last seconds
readonly about_attempts=3

work=$(mktemp -d "${TMPDIR:-/tmp}/vora-shots.XXXXXX")
xvfb_pid=
sim_pid=
app_pid=

stop() {
    local pid=$1
    [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 0
    # The panel may be caught stopped while the About window is taken (below).
    kill -CONT "$pid" 2>/dev/null || true
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    # The panel first, so that it lets go of the line; then the simulator, which removes its
    # port-map entry; then the screen.
    stop "$app_pid"
    stop "$sim_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

now_us() {
    local t=$EPOCHREALTIME
    echo $((${t%.*} * 1000000 + 10#${t#*.}))
}

show_logs() {
    local name
    for name in app sim; do
        if [[ -s $work/$name.log ]]; then
            echo "--- last lines of the ${name} log:" >&2
            tail -n 15 "$work/$name.log" >&2
        fi
    done
}

# Says what went wrong, with the logs' tails and a picture of the whole screen beside the output.
fail() {
    echo "$me: $*" >&2
    show_logs
    if [[ -n ${DISPLAY:-} ]] && import -silent -window root "$out/failure-screen.png" 2>/dev/null; then
        echo "--- the screen as it was: $out/failure-screen.png" >&2
    fi
    exit 1
}

check_alive() {
    kill -0 "$app_pid" 2>/dev/null || fail "the panel has ended unexpectedly"
    kill -0 "$sim_pid" 2>/dev/null || fail "the simulator has ended unexpectedly"
}

# --- the private screen --------------------------------------------------------------------------

Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -dpi 96 -nolisten tcp -nocursor \
    -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$(($(now_us) + 10 * 1000000))
until [[ -s $work/display ]] && grep -q '^[0-9]' "$work/display"; do
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; die "Xvfb did not start"; }
    (($(now_us) < deadline)) || die "Xvfb did not start within 10 s"
    sleep 0.05
done
DISPLAY=:$(head -n 1 "$work/display" | tr -dc 0-9)
export DISPLAY

# --- the private profile and a bare environment --------------------------------------------------

mkdir -p "$work/home" "$work/config" "$work/cache" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
run_env=(env -i
    PATH=/usr/local/bin:/usr/bin:/bin
    HOME="$work/home"
    LANG=C.UTF-8
    TZ=UTC
    DISPLAY="$DISPLAY"
    XDG_CONFIG_HOME="$work/config"
    XDG_STATE_HOME="$work/state"
    XDG_CACHE_HOME="$work/cache"
    XDG_DATA_HOME="$work/data"
    XDG_RUNTIME_DIR="$work/runtime"
    QT_QPA_PLATFORM=xcb)
# A sanitizer or a private library folder of the build still applies.
for var in LD_LIBRARY_PATH ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [[ -n ${!var:-} ]]; then
        run_env+=("$var=${!var}")
    fi
done

started=$(now_us)

# --- the virtual transmitter ---------------------------------------------------------------------

"${run_env[@]}" "$sim_bin" --port 1 --status-interval "$status_interval_ms" \
    >"$work/sim.log" 2>&1 &
sim_pid=$!
deadline=$(($(now_us) + 10 * 1000000))
until [[ -e $work/config/VoraTXController/ports/com1 ]]; do
    kill -0 "$sim_pid" 2>/dev/null || fail "the simulator did not start"
    (($(now_us) < deadline)) || fail "the simulator published no port within 10 s"
    sleep 0.05
done

# --- the panel -----------------------------------------------------------------------------------

"${run_env[@]}" "$app_bin" >"$work/app.log" 2>&1 &
app_pid=$!

# Prints the id of the visible window titled exactly $1, waiting for it up to the time-out.
wait_window() {
    local title=$1 id deadline
    deadline=$(($(now_us) + window_timeout_s * 1000000))
    while :; do
        check_alive
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        if [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        (($(now_us) < deadline)) || fail "the window \"$title\" did not appear within ${window_timeout_s} s"
        sleep 0.05
    done
}

# The visible windows of the panel, for telling when a popup menu has opened or closed.
panel_windows() {
    xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort | tr '\n' ' ' || true
}

# Runs the xdotool command in "$@" and waits until the panel's set of visible windows changes.
act_and_wait_popup() {
    local before deadline
    before=$(panel_windows)
    xdotool "$@"
    deadline=$(($(now_us) + window_timeout_s * 1000000))
    while [[ $(panel_windows) == "$before" ]]; do
        check_alive
        (($(now_us) < deadline)) || fail "xdotool $* opened or closed no menu within ${window_timeout_s} s"
        sleep 0.02
    done
    sleep 0.05 # the popup takes the keyboard as it is shown
}

rest_pointer() {
    xdotool mousemove "$rest_x" "$rest_y"
}

focus() {
    timeout 10 xdotool windowfocus --sync "$1" || fail "could not give the focus to window $1"
}

log_size() {
    stat -c %s "$work/sim.log"
}

# Waits until the simulator's log has been silent for quiet_ms; prints the log's size then.
wait_quiet() {
    local size last now deadline
    size=$(log_size)
    last=$(now_us)
    deadline=$((last + 30 * 1000000))
    while :; do
        check_alive
        sleep 0.05
        now=$(now_us)
        if [[ $(log_size) != "$size" ]]; then
            size=$(log_size)
            last=$now
        elif ((now - last >= quiet_ms * 1000)); then
            echo "$size"
            return 0
        fi
        ((now < deadline)) || fail "the line was never quiet for ${quiet_ms} ms within 30 s"
    done
}

# Takes window $1 into the PNG file $2, leaving out the time stamps, so that alike pictures make
# alike files. Given a window that has just gone, import falls back to asking for a click on one
# and would wait for ever: hence the time-out.
grab() {
    timeout 5 import -silent -window "$1" -define png:exclude-chunks=date,time "png:$2"
}

# Takes window $1 into $2 once the line has been quiet for a while and the window has settled:
# two pictures 150 ms apart alike, with no command or record logged from the start of the quiet
# spell until the second picture was done.
take_quiet() {
    local id=$1 dest=$2 size deadline
    deadline=$(($(now_us) + 60 * 1000000))
    while :; do
        size=$(wait_quiet)
        grab "$id" "$work/a.png" || fail "could not take window $id"
        sleep 0.15
        grab "$id" "$work/b.png" || fail "could not take window $id"
        if [[ $(log_size) == "$size" ]] && cmp -s "$work/a.png" "$work/b.png"; then
            mv "$work/b.png" "$dest"
            return 0
        fi
        (($(now_us) < deadline)) || fail "window $id did not hold still within 60 s"
    done
}

# Takes window $1 into $2 once two pictures 150 ms apart are alike.
take_settled() {
    local id=$1 dest=$2 deadline
    deadline=$(($(now_us) + 30 * 1000000))
    grab "$id" "$work/a.png" || fail "could not take window $id"
    while :; do
        check_alive
        sleep 0.15
        grab "$id" "$work/b.png" || fail "could not take window $id"
        if cmp -s "$work/a.png" "$work/b.png"; then
            mv "$work/b.png" "$dest"
            return 0
        fi
        mv "$work/b.png" "$work/a.png"
        (($(now_us) < deadline)) || fail "window $id did not hold still within 30 s"
    done
}

# A pause without starting a process, for the short slices below.
mkfifo "$work/pause"
exec {pause_fd}<>"$work/pause"
pause() {
    read -r -t "$1" -u "$pause_fd" || true
}

# Takes the About window's last picture, the still end of its credits, into $2; returns 1 if it
# was not seen for sure (the caller then opens the window again).
#
# First the window is watched as it runs, until the credits have gone by: for about 3 s the
# viewport then shows nothing but the inside of the text box, the one picture of the run that holds
# for a second. From there on the panel runs in slices of about 10 ms and is stopped (SIGSTOP)
# while each picture is taken, so that, however busy the machine, the window neither changes nor
# closes under import and no picture goes by unseen: a timer that fell due while the panel was
# stopped fires once when it resumes, so a slice moves the credits about one step. The end stands still for 12 steps before the window
# closes itself: the last picture must have been seen in at least 3 slices in a row.
take_about_end() {
    local id=$1 dest=$2 deadline now sum last_sum='' since=0 seen=0
    deadline=$(($(now_us) + about_close_timeout_s * 1000000))
    while :; do
        check_alive
        now=$(now_us)
        ((now < deadline)) || fail "the About window's credits did not come to rest within ${about_close_timeout_s} s"
        if ! grab "$id" "$work/frame.png" 2>/dev/null; then
            if [[ -z $(xdotool search --onlyvisible --name '^About$' 2>/dev/null || true) ]]; then
                echo "$me: the About window closed before its credits had gone by" >&2
                return 1
            fi
            continue
        fi
        sum=$(md5sum <"$work/frame.png")
        if [[ $sum != "$last_sum" ]]; then
            last_sum=$sum
            since=$now
        elif ((now - since >= 1000000)); then
            break
        fi
    done

    last_sum=
    while :; do
        check_alive
        (($(now_us) < deadline)) || fail "the About window did not close by itself within ${about_close_timeout_s} s"
        kill -STOP "$app_pid"
        if ! grab "$id" "$work/frame.png" 2>/dev/null; then
            kill -CONT "$app_pid"
            [[ -n $(xdotool search --onlyvisible --name '^About$' 2>/dev/null || true) ]] || break
            continue
        fi
        sum=$(md5sum <"$work/frame.png")
        if [[ $sum != "$last_sum" ]]; then
            last_sum=$sum
            seen=1
            mv "$work/frame.png" "$work/last.png"
        else
            seen=$((seen + 1))
        fi
        kill -CONT "$app_pid"
        pause 0.01
    done
    if ((seen < 3)); then
        echo "$me: the About window's last picture was seen in only $seen slice(s)" >&2
        return 1
    fi
    mv "$work/last.png" "$dest"
    echo "$me: the About window's last picture was seen in $seen slices in a row before it closed"
}

# Opens the main window's "File" menu with a click on the first caption of the menu bar, then
# walks right with the arrow key $1 times: 1 is "Options", whose first item is then selected, 2 is
# the "About" command on the bar itself.
open_menu() {
    local steps=$1 i
    xdotool windowraise "$main_id"
    focus "$main_id"
    act_and_wait_popup mousemove --window "$main_id" 12 8 click 1
    for ((i = 0; i < steps; i++)); do
        act_and_wait_popup key Right
    done
}

# "About" is a command on the menu bar, not a menu: once the arrow keys have lit it, Return does
# not reliably reach it (the bar may not have the keyboard when the popup it came from closes).
# So it is clicked, where the bar shows it lit: the part of the main window that differs from the
# picture taken at the start.
open_about() {
    local box w h x y
    open_menu 2
    grab "$main_id" "$work/lit.png" || fail "could not take the main window"
    compare -metric AE -highlight-color white -lowlight-color black \
        "$out/main.png" "$work/lit.png" "$work/lit-diff.png" 2>/dev/null || true
    box=$(identify -format '%@' "$work/lit-diff.png" 2>/dev/null || true)
    if [[ ! $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
        fail "could not find the lit \"About\" on the menu bar (changed part: '$box')"
    fi
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    # A caption on the bar: small, and at the top of the window.
    ((w > 0 && h > 0 && h <= 40 && y + h <= 60)) ||
        fail "the main window changed in more than a menu-bar caption (${w}x${h}+${x}+${y})"
    xdotool mousemove --window "$main_id" $((x + w / 2)) $((y + h / 2)) click 1
}

main_id=$(wait_window "Vora TX Controller")
rest_pointer
focus "$main_id"

echo "$me: taking the main window"
take_quiet "$main_id" "$out/main.png"

echo "$me: taking the Settings dialog (Options, Settings)"
open_menu 1
xdotool key Return
rest_pointer
settings_id=$(wait_window "Options")
focus "$settings_id"
take_settled "$settings_id" "$out/settings.png"
# The dialog stays open: it is out of the way of the windows still to come, and closing it would
# take a key press that, given to the wrong window, changes what the transmitter does.

echo "$me: taking the About window (its credits run about 11 s)"
about_taken=false
for ((attempt = 1; attempt <= about_attempts; attempt++)); do
    open_about
    rest_pointer
    about_id=$(wait_window "About")
    focus "$about_id"
    if take_about_end "$about_id" "$out/about.png"; then
        about_taken=true
        break
    fi
    echo "$me: opening the About window again" >&2
done
$about_taken || fail "could not see the About window's last picture in ${about_attempts} tries"

echo "$me: taking the link monitor (Options, RS232 Monitor)"
open_menu 1
xdotool key Down Return
rest_pointer
monitor_id=$(wait_window "RS232 Monitor")
focus "$monitor_id"
take_quiet "$monitor_id" "$out/monitor.png"

elapsed_ms=$((($(now_us) - started) / 1000))
echo "$me: wrote main.png, settings.png, about.png and monitor.png to $out in $((elapsed_ms / 1000)).$(printf '%03d' $((elapsed_ms % 1000))) s"

#!/usr/bin/env bash
# Load run for network control, on the real program: it runs on a private Xvfb screen against the
# virtual transmitter with network control on, while 8 clients poll "f" and "t" 50 times a second
# each for 60 s (each starting a fresh session every 5 s) and, in the middle of the run, the
# frequency "Up" button is held down with the mouse for 10 s. Prints the "3a" commands the
# transmitter received during the hold (nominal 101: one at the press, then 10 a second), the
# program's open descriptors over time, its CPU time, and the clients' answers and answer times.
#
#   bench/rigctl-load.sh [--build DIR] [--seconds S] [--hold S]
#
# Needs Xvfb and xdotool; traffic stays on 127.0.0.1. Touches neither your display nor settings.
set -euo pipefail
export LC_ALL=C
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}
seconds=60
hold=10
clients=8
rate=50
reconnect=5
while (($#)); do
    case $1 in
        --build) build=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        --hold) hold=$2; shift 2 ;;
        *) echo "usage: bench/rigctl-load.sh [--build DIR] [--seconds S] [--hold S]" >&2; exit 2 ;;
    esac
done
app_bin=$build/src/app/vora-tx-controller
sim_bin=$build/tools/txsim/vora-txsim
load_bin=$build/bench/rigctl_load_clients
for bin in "$app_bin" "$sim_bin" "$load_bin"; do
    [[ -x $bin ]] || { echo "rigctl-load.sh: $bin is missing: build first" >&2; exit 1; }
done
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "rigctl-load.sh: needs $tool" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vora-load.XXXXXX")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[$i]}" 2>/dev/null || true
        wait "${pids[$i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display" | tr -dc 0-9)
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

"$sim_bin" --port 1 >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -e $XDG_CONFIG_HOME/VoraTXController/ports/com1 ]] && break; sleep 0.05; done

"$app_bin" --rigctld=0 >"$work/app.log" 2>&1 &
app=$!
pids+=($app)
port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*network control on 127\.0\.0\.1 port \([0-9]*\).*/\1/p' "$work/app.log" 2>/dev/null || true)
    [[ -n $port ]] && break
    sleep 0.05
done
[[ -n $port ]] || { cat "$work/app.log" >&2; echo "rigctl-load.sh: network control did not start" >&2; exit 1; }
window=$(xdotool search --sync --onlyvisible --name '^Vora TX Controller$' | head -n 1)
sleep 1

# The "Up" button (Command1) is at 192,64 and 65x18 in the window's 291x214 client area, which
# sits under the menu bar.
height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
up_x=$((192 + 32))
up_y=$((height - 214 + 64 + 9))

fds() { find "/proc/$app/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l; }
sockets() { find "/proc/$app/fd" -mindepth 1 -maxdepth 1 -lname 'socket:*' 2>/dev/null | wc -l; }
cpu() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
ticks=$(getconf CLK_TCK)

echo "program pid $app, network control on port $port; $clients clients x $rate polls/s of f and t for $seconds s"
"$load_bin" "$port" "$clients" "$rate" "$seconds" "$reconnect" >"$work/clients.log" 2>&1 &
load=$!
pids+=($load)
sleep 0.5  # the clients have connected
cpu_start=$(cpu)
samples=()
socket_samples=()
hold_start=$(((seconds - hold) / 2))
for ((t = 0; t < seconds; t++)); do
    samples+=("$(fds)")
    socket_samples+=("$(sockets)")
    if ((t == hold_start)); then
        before=$(grep -c '^rx 3a$' "$work/sim.log" || true)
        xdotool mousemove --window "$window" "$up_x" "$up_y" mousedown 1
        sleep "$hold"
        xdotool mouseup 1
        sleep 0.5
        after=$(grep -c '^rx 3a$' "$work/sim.log" || true)
        t=$((t + hold))
        samples+=("$(fds)")
        socket_samples+=("$(sockets)")
    else
        sleep 1
    fi
done
kinds() {
    for fd in /proc/"$app"/fd/*; do readlink "$fd"; done | sed 's/:.*//; s|^/dev/pts/.*|pty|; s|^/.*|file|' |
        sort | uniq -c | awk '{ printf "%s %s, ", $1, $2 }'
}
kinds_during=$(kinds)
wait "$load" || true
cpu_end=$(cpu)
sleep 1
kinds_after=$(kinds)

echo "frequency hold of $hold s under load: $((after - before)) \"3a\" on the line (nominal $((hold * 10 + 1)))"
echo "open descriptors, one sample a second: ${samples[*]}"
echo "of them sockets (listener, X display, one per client session): ${socket_samples[*]}"
printf 'descriptors: first %s, last %s, min %s, max %s\n' "${samples[0]}" "${samples[-1]}" \
    "$(printf '%s\n' "${samples[@]}" | sort -n | head -n 1)" "$(printf '%s\n' "${samples[@]}" | sort -n | tail -n 1)"
echo "descriptors by kind, under load: ${kinds_during%, }; after the clients left: ${kinds_after%, }"
awk -v a="$cpu_start" -v b="$cpu_end" -v hz="$ticks" -v s="$seconds" \
    'BEGIN { printf "program CPU: %.2f s in %d s (%.1f%% of one core)\n", (b - a) / hz, s, 100 * (b - a) / hz / s }'
tail -n 2 "$work/clients.log"
grep -v 'network control on\|XDG_RUNTIME_DIR\|propagateSizeHints' "$work/app.log" || true

#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
#   scripts/run.sh             against the virtual transmitter, in a demo profile of its own
#   scripts/run.sh --hardware  against your real transmitter, with your own settings
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}

hardware=false
if [[ ${1:-} == --hardware ]]; then
    hardware=true
    shift
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -Wno-dev >/dev/null
cmake --build "$build" --target vora-tx-controller vora-txsim

app=("$build/src/app/vora-tx-controller")
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run.sh: no display found; starting the panel on a virtual X display (xvfb-run)." >&2
    app=(xvfb-run -a "${app[@]}")
fi

if $hardware; then
    exec "${app[@]}" "$@"
fi

# The demo keeps its settings and port map apart from yours.
export XDG_CONFIG_HOME=${VORA_DEMO_PROFILE:-$build/demo-profile}
export XDG_STATE_HOME=$XDG_CONFIG_HOME/state  # the demo's transmit log stays in the demo profile
mkdir -p "$XDG_CONFIG_HOME"
rm -f "$XDG_CONFIG_HOME/VoraTXController/settings.ini"

# Port 1 of the demo is the virtual transmitter's; an entry the demo profile had there comes back
# when it ends. Its one line, the pty's path, comes once the entry is in place.
coproc sim_output { exec "$build/tools/txsim/vora-txsim" --port 1 --replace --quiet; }
sim=$sim_output_PID
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
if ! read -r -t 10 pty <&"${sim_output[0]}"; then
    echo "run.sh: the virtual transmitter did not start" >&2
    exit 1
fi
echo "run.sh: the virtual transmitter is port 1, on $pty" >&2
"${app[@]}" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh [extra CMake options]     (VORA_BUILD_DIR picks the build folder; default build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -Wno-dev "$@" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --parallel 2 --timeout 300

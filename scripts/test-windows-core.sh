#!/usr/bin/env bash
# The transmitter link (src/txlink) and its unit tests built as a Windows program with mingw-w64
# and run under wine, headless, in a wine prefix of their own: the part of the program that decides
# what goes on the line is proven on Windows without Qt for Windows. Installs what is missing.
# Ends with the test runner's own summary; fails when a test fails or when the tests run are not
# the ones a Linux build in VORA_LINUX_BUILD_DIR (default build; brought up to date) has.
#   scripts/test-windows-core.sh      (VORA_WINDOWS_BUILD_DIR picks the build folder;
#                                      default build-windows-core)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_WINDOWS_BUILD_DIR:-$root/build-windows-core}
linux_build=${VORA_LINUX_BUILD_DIR:-$root/build}
linux_tests=$linux_build/tests/txlink/link_tests
started=$SECONDS

find_wine() {
    local candidate
    for candidate in wine64 wine /usr/lib/wine/wine64; do
        if command -v "$candidate" >/dev/null; then
            command -v "$candidate"
            return
        fi
    done
}

# Of mingw-w64, only the 64-bit C++ compiler: the whole of it brings the 32-bit ones too.
missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
[[ -n $(find_wine) ]] || missing+=(wine64)
[[ -f /usr/src/googletest/googletest/CMakeLists.txt ]] || missing+=(libgtest-dev)
command -v cmake >/dev/null || missing+=(cmake)
command -v ninja >/dev/null || missing+=(ninja-build)
if [[ ${#missing[@]} -gt 0 ]]; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    install=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq
        --no-install-recommends "${missing[@]}")
    # The package lists are fetched only when the ones there do not have the packages.
    if ! "${install[@]}" >/dev/null 2>&1; then
        "${sudo[@]}" apt-get update -qq
        "${install[@]}" >/dev/null
    fi
    echo "windows core: installed in $((SECONDS - started)) s" >&2
fi
wine=$(find_wine)
wineserver=wineserver
command -v wineserver >/dev/null || wineserver=/usr/lib/wine/wineserver64

built=$SECONDS
cmake -S "$root/cmake/core-only" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
cmake --build "$build" --target link_tests
echo "windows core: built in $((SECONDS - built)) s" >&2

# A prefix of its own, made once and kept with the build; no display, no questions about Mono or
# Gecko, which nothing here needs, and none of wine's own chatter.
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap '"$wineserver" -k 2>/dev/null || true' EXIT
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    prefixed=$SECONDS
    if ! "$wine" wineboot --init >"$build/wineboot.log" 2>&1; then
        cat "$build/wineboot.log" >&2
        exit 1
    fi
    "$wineserver" -w
    echo "windows core: wine prefix made in $((SECONDS - prefixed)) s" >&2
fi

# Windows writes "\r\n" to a console or a pipe; the summary is read on Linux.
run_tests() { "$wine" "$build/tests/txlink/link_tests.exe" --gtest_color=no "$@" | tr -d '\r'; }

# Each test's full name, in an order that does not hang on the order the linker chose.
test_names() { awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }' | sort; }

if [[ -f $linux_build/build.ninja ]]; then
    # Up to date, so that the lists compared are of the same sources.
    cmake --build "$linux_build" --target link_tests >/dev/null
fi
if [[ -x $linux_tests ]]; then
    linux_names=$("$linux_tests" --gtest_list_tests | test_names)
    if ! diff <(echo "$linux_names") <(run_tests --gtest_list_tests | test_names) >&2; then
        echo "windows core: the tests above differ from the Linux build's ($linux_tests)" >&2
        exit 1
    fi
    echo "windows core: the same $(wc -l <<<"$linux_names") tests as the Linux build's" >&2
else
    echo "windows core: no Linux build at $linux_tests to compare the tests with" >&2
fi
echo "windows core: $((SECONDS - started)) s before the tests" >&2

summary=$build/link_tests.log
status=0
run_tests | tee "$summary" || status=$?
# A test that skips itself under wine would prove nothing there.
if [[ $status -eq 0 ]] && grep -q '^\[  SKIPPED \]' "$summary"; then
    echo "windows core: tests were skipped" >&2
    status=1
fi
exit "$status"

#!/usr/bin/env bash
# Builds the Debian package: a release build for /usr with Debian's hardening flags, stripped,
# its dependencies found by dpkg-shlibdeps. Prints the path of the .deb as its last line.
#   scripts/package.sh [extra CMake options, e.g. -DVORA_ABOUT_CALL_SIGN=...]
# VORA_PACKAGE_BUILD_DIR picks the build folder (default build-package). DEBEMAIL and
# DEBFULLNAME, as dch uses them, name the maintainer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_PACKAGE_BUILD_DIR:-$root/build-package}

"$root/scripts/install-deps.sh" --packaging

maintainer=()
if [[ -n ${DEBEMAIL:-} ]]; then
    maintainer=("-DVORA_PACKAGE_MAINTAINER=${DEBFULLNAME:-${DEBEMAIL%@*}} <$DEBEMAIL>")
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S "$root" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVORA_BUILD_TESTS=OFF -DVORA_BUILD_BENCHMARKS=OFF -DVORA_BUILD_TOOLS=ON \
    -DVORA_INSTALL_DEBIAN_DOCS=ON \
    "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
    "${maintainer[@]}" "$@" >/dev/null
cmake --build "$build" >&2
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vora-tx-controller_*.deb

#!/usr/bin/env bash
# Proves the Debian package on this machine: installs it with apt, runs the installed program's
# --version, validates the installed menu entry and metainfo, runs lintian on the package (an
# error fails), then purges it, with any package it pulled in, and checks that the machine's
# packages and files are as they were before. Needs root (or sudo) and the --packaging tools.
#   scripts/check-package.sh build-package/vora-tx-controller_<version>_<arch>.deb
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deb=$(realpath "$1")
"$root/scripts/install-deps.sh" --packaging
package=$(dpkg-deb --field "$deb" Package)
version=$(dpkg-deb --field "$deb" Version)
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "check-package.sh: $*" >&2
    exit 1
}
installed() { dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null | grep -qvx not-installed; }
packages() { dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 != "not-installed" {print $2}' | sort; }
# Everything the package may touch, less the caches that triggers rebuild in place.
files() {
    find /usr /etc /opt /var/lib/dpkg/info -xdev \
        \( -name '*.cache' -o -path /usr/lib/python3 -o -path '*/__pycache__' \) -prune -o -print |
        sort
}

installed "$package" && fail "$package is installed already; remove it first"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
packages >"$scratch/packages.before"
files >"$scratch/files.before"

step "dpkg -c $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --contents "$deb"
dpkg-deb --info "$deb"

step "apt-get install -y ./$(basename "$deb")"
(cd "$(dirname "$deb")" && "${sudo[@]}" apt-get install -y -qq "./$(basename "$deb")" >/dev/null)

step "$package --version"
# Answered before any window system is asked for: no display is needed.
out=$(timeout 30 vora-tx-controller --version) ||
    fail "vora-tx-controller --version failed"
echo "$out"
grep -qF "$version" <<<"$out" || fail "--version does not say $version"

step "desktop-file-validate"
mapfile -t entries < <(dpkg -L "$package" | grep '^/usr/share/applications/.*\.desktop$')
((${#entries[@]})) || fail "the package has no menu entry"
desktop-file-validate "${entries[@]}"

step "appstreamcli validate --no-net"
mapfile -t metainfo < <(dpkg -L "$package" | grep '^/usr/share/metainfo/.*\.xml$')
((${#metainfo[@]})) || fail "the package has no metainfo"
appstreamcli validate --no-net "${metainfo[@]}"

step "lintian"
# Every tag down to the pedantic ones is shown; only errors fail.
lintian --display-info --pedantic --fail-on error "$deb" || fail "lintian reports errors"
echo "lintian: no errors"

step "apt-get remove --purge"
"${sudo[@]}" apt-get remove --purge -y -qq "$package" >/dev/null
packages >"$scratch/packages.after"
mapfile -t pulled < <(comm -13 "$scratch/packages.before" "$scratch/packages.after")
if ((${#pulled[@]})); then
    echo "purging what the package pulled in: ${pulled[*]}"
    "${sudo[@]}" apt-get remove --purge -y -qq "${pulled[@]}" >/dev/null
fi
installed "$package" && fail "$package is still known to dpkg"
packages >"$scratch/packages.after"
files >"$scratch/files.after"
if ! diff -u "$scratch/packages.before" "$scratch/packages.after" ||
    ! diff -u "$scratch/files.before" "$scratch/files.after"; then
    fail "the machine differs from before the install (above)"
fi
echo "nothing left behind"

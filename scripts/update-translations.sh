#!/usr/bin/env bash
# Brings the translations (translations/*.ts) up to date with the sources through lupdate: a text
# new in the sources comes in unfinished, one that went from them goes. Translate what is
# unfinished afterwards (README, "Translations"); the build makes the .qm files.
#   scripts/update-translations.sh             every language in translations/
#   scripts/update-translations.sh fr          ... and starts one more, French
#   scripts/update-translations.sh --into DIR  the same on copies in DIR; translations/ stays
#                                              as it is (the tests see what lupdate would find)
set -euo pipefail
shopt -s nullglob
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

usage() {
    echo "usage: scripts/update-translations.sh [--into DIR] [LANGUAGE...]" >&2
    exit 2
}
into=""
new=()
while (($#)); do
    case $1 in
        --into)
            (($# >= 2)) || usage
            into=$2
            shift 2
            ;;
        -*) usage ;;
        *)
            # A language as the desktop names it: nl, de, pt_BR.
            [[ $1 =~ ^[a-z]{2,3}(_[A-Z]{2})?$ ]] || usage
            new+=("$1")
            shift
            ;;
    esac
done

[[ -n $into ]] || "$root/scripts/install-deps.sh"
lupdate=${LUPDATE:-$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || true)/lupdate}
if [[ ! -x $lupdate ]]; then
    echo "update-translations.sh: no lupdate (Debian's qt6-l10n-tools) at '$lupdate'" >&2
    exit 1
fi

folder=$root/translations
if [[ -n $into ]]; then
    mkdir -p "$into"
    existing=("$folder"/*.ts)
    ((${#existing[@]} == 0)) || cp "${existing[@]}" "$into"/
    folder=$(cd "$into" && pwd)
fi

languages=("${new[@]}")
for ts in "$folder"/vora_*.ts; do
    language=${ts##*/vora_}
    languages+=("${language%.ts}")
done
if ((${#languages[@]} == 0)); then
    echo "update-translations.sh: no language in $folder; name one to start it" >&2
    exit 1
fi

quiet=()
[[ -z $into ]] || quiet=(-silent)
# catalogue source-folder...: one .ts per language. No line numbers, so that a change to the code
# around a text leaves its translation file alone; texts that went are dropped.
update() {
    local catalogue=$1
    shift
    local files=()
    for language in "${languages[@]}"; do
        files+=("$folder/${catalogue}_$language.ts")
    done
    "$lupdate" "${quiet[@]}" -locations none -no-obsolete -source-language en "${includes[@]}" \
        "$@" -ts "${files[@]}"
}
# The headers, so that lupdate knows the namespaces and classes that the sources name.
includes=()
for headers in "$root"/src/*/include "$root"/src/*/*/include; do
    includes+=(-I "$headers")
done
update vora "$root/src"
update vora-txsim "$root/tools/txsim"

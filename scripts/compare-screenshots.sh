#!/usr/bin/env bash
# Holds two folders of screenshots from scripts/screenshots.sh side by side, pixel by pixel, and
# prints for each window how many pixels differ.
#
#   scripts/compare-screenshots.sh [--diff DIR] DIR_A DIR_B
#
# Exits 0 when all four windows are alike, 1 when any differs in a pixel, in size, or is missing
# from a folder, 2 when it is called wrongly. With --diff, a picture of each window that differs
# goes into DIR, its differing pixels in red (ImageMagick's compare).
#
# Every window is compared whole: screenshots.sh takes the About window at the one moment of its
# credits that is the same on every run, so nothing needs masking.
set -euo pipefail
export LC_ALL=C

me=compare-screenshots.sh
windows=(main.png monitor.png settings.png about.png)

usage() {
    echo "usage: scripts/$me [--diff DIR] DIR_A DIR_B" >&2
    exit 2
}

diff_dir=
dirs=()
while (($#)); do
    case $1 in
        --diff)
            (($# >= 2)) || usage
            diff_dir=$2
            shift 2
            ;;
        --diff=*)
            diff_dir=${1#--diff=}
            shift
            ;;
        -h | --help) usage ;;
        -*) usage ;;
        *)
            dirs+=("$1")
            shift
            ;;
    esac
done
((${#dirs[@]} == 2)) || usage
a=${dirs[0]}
b=${dirs[1]}
for dir in "$a" "$b"; do
    [[ -d $dir ]] || {
        echo "$me: no folder $dir" >&2
        exit 2
    }
done
for tool in compare identify; do
    command -v "$tool" >/dev/null || {
        echo "$me: $tool is missing (apt-get install imagemagick)" >&2
        exit 2
    }
done
[[ -z $diff_dir ]] || mkdir -p "$diff_dir"

differing=0
for name in "${windows[@]}"; do
    fa=$a/$name
    fb=$b/$name
    if [[ ! -f $fa || ! -f $fb ]]; then
        missing=()
        [[ -f $fa ]] || missing+=("$a")
        [[ -f $fb ]] || missing+=("$b")
        printf '%-13s missing from %s\n' "$name" "${missing[*]}"
        differing=$((differing + 1))
        continue
    fi
    size_a=$(identify -format '%wx%h' "$fa")
    size_b=$(identify -format '%wx%h' "$fb")
    if [[ $size_a != "$size_b" ]]; then
        printf '%-13s differs in size: %s against %s\n' "$name" "$size_a" "$size_b"
        differing=$((differing + 1))
        continue
    fi
    # compare writes the count to standard error and exits 0 for alike, 1 for different, 2 for
    # trouble; no fuzz, so any change in any channel of a pixel counts.
    target=null:
    [[ -z $diff_dir ]] || target=$diff_dir/$name
    status=0
    count=$(compare -metric AE "$fa" "$fb" "$target" 2>&1) || status=$?
    if ((status > 1)) || [[ ! $count =~ ^[0-9.e+]+$ ]]; then
        printf '%-13s could not be compared: %s\n' "$name" "$count"
        differing=$((differing + 1))
        continue
    fi
    # Large counts come as 1.2e+06 and the like.
    count=$(awk -v n="$count" 'BEGIN { printf "%d", n }')
    printf '%-13s %d differing pixels (%s)\n' "$name" "$count" "$size_a"
    if ((count != 0)); then
        differing=$((differing + 1))
    elif [[ -n $diff_dir ]]; then
        rm -f "$diff_dir/$name"
    fi
done

if ((differing == 0)); then
    echo "all ${#windows[@]} windows alike"
    exit 0
fi
echo "$differing of ${#windows[@]} windows differ${diff_dir:+ (differences drawn in $diff_dir)}"
exit 1

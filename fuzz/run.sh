#!/usr/bin/env bash
# Builds a fuzz target with clang (libFuzzer, ASan, UBSan) and runs it.
#   fuzz/run.sh [seconds]            the record parser (default 60 s)
#   fuzz/run.sh rigctl [seconds]     network control's command lines
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build-fuzz
command -v clang++ >/dev/null || { echo "fuzz/run.sh: needs clang (apt-get install clang)" >&2; exit 1; }
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

if [[ ${1:-} == rigctl ]]; then
    corpus=$out/rigctl-corpus
    mkdir -p "$corpus"
    clang++ "${flags[@]}" -I"$root/src/txlink/include" -I"$root/src/rigctl/protocol/include" \
        "$root/fuzz/RigctlProtocolFuzz.cpp" "$root/src/rigctl/protocol/Protocol.cpp" \
        "$root"/src/txlink/*.cpp \
        -o "$out/rigctl_protocol_fuzz"
    seeds=('f\n' '+f\nt\n' ';l RFPOWER\n' 'T 1\nT 0\n' '\\dump_state\n' '\\chk_vfo\nq\n' 'F 145000000\n'
        '|\\set_ptt 3\n' 'm\nv\ns\n')
    for i in "${!seeds[@]}"; do
        printf "${seeds[$i]}" >"$corpus/seed$i"
    done
    "$out/rigctl_protocol_fuzz" "$corpus" -max_total_time="${2:-60}" -max_len=1024 -print_final_stats=1
    exit
fi

mkdir -p "$out/corpus"
clang++ "${flags[@]}" \
    -I"$root/src/txlink/include" "$root/fuzz/RecordParserFuzz.cpp" "$root/src/txlink/RecordParser.cpp" \
    -o "$out/record_parser_fuzz"
for seed in S1010128 S0401255F1234567 G1234567H1234537 S1011 F12 S1x10128; do
    printf '%s' "$seed" > "$out/corpus/$seed"
done
"$out/record_parser_fuzz" "$out/corpus" -max_total_time="${1:-60}" -max_len=64 -print_final_stats=1

#!/usr/bin/env bash
# Builds the record parser's fuzz target with clang (libFuzzer, ASan, UBSan) and runs it.
#   fuzz/run.sh [seconds]      (default 60)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build-fuzz
mkdir -p "$out/corpus"
command -v clang++ >/dev/null || { echo "fuzz/run.sh: needs clang (apt-get install clang)" >&2; exit 1; }

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src/txlink/include" "$root/fuzz/RecordParserFuzz.cpp" "$root/src/txlink/RecordParser.cpp" \
    -o "$out/record_parser_fuzz"
for seed in S1010128 S0401255F1234567 G1234567H1234537 S1011 F12 S1x10128; do
    printf '%s' "$seed" > "$out/corpus/$seed"
done
"$out/record_parser_fuzz" "$out/corpus" -max_total_time="${1:-60}" -max_len=64 -print_final_stats=1

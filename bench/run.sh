#!/usr/bin/env bash
# Prints the performance table: every figure of the panel beside the same figure of a bare Qt
# window with the same timers on the same serial port (bench/BareWindow.cpp), measured in the
# same run, with the ratio and the budget.
#   bench/run.sh            the full run (about 6 minutes)
#   bench/run.sh --quick    short runs: proves every row still runs (CI); the figures mean little
#                           (the tuning rows are the same either way: three moves, a few seconds)
# VORA_BUILD_DIR picks the build folder (default build). VORA_BENCH_BEFORE, the path of an earlier
# build's vora-tx-controller, adds its whole-process figures as rows of their own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORA_BUILD_DIR:-$root/build}
quick=false
[[ ${1:-} == --quick ]] && quick=true

"$root/scripts/install-deps.sh" --bench
cmake -S "$root" -B "$build" -G Ninja -Wno-dev >/dev/null
cmake --build "$build" --target vora-tx-controller bare_window line_feeder panel_bench \
    press_latency flood repeat_rate tuning_moves >/dev/null

panel=$build/src/app/vora-tx-controller
bare=$build/bench/bare_window
feeder=$build/bench/line_feeder
export QT_QPA_PLATFORM=offscreen

if $quick; then
    fed_seconds=2 fed_runs=1 callgrind_seconds=2 flood_seconds=2 presses=50 hold_seconds=2 starts=1
    benchmark_time=0.05
else
    fed_seconds=20 fed_runs=3 callgrind_seconds=10 flood_seconds=60 presses=1000 hold_seconds=10
    starts=15 benchmark_time=1
fi

field() {  # field NAME LINE: the value of NAME=value in LINE
    sed -n "s/.*\b$1=\([^ ]*\).*/\1/p" <<<"$2"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
rows=()
row() { rows+=("| $1 | $2 | $3 | $4 | $5 |"); }

# Instructions per record, counted by callgrind over the fed seconds only (after start-up and
# the first records, which repaint the window once): the fed run minus a run with no records.
instructions() {  # instructions PROGRAM RATE
    local out
    out=$(mktemp -d)
    "$feeder" --rate "$2" --seconds "$callgrind_seconds" --settle 2 \
        --on-feed-start "callgrind_control -i on %p >/dev/null" \
        --on-feed-end "callgrind_control -d %p >/dev/null" \
        -- valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/cg" "$1" \
        >/dev/null 2>&1
    sed -n 's/^summary: //p' "$out"/cg.1
    rm -rf "$out"
}
echo "bench: counting instructions per record under callgrind" >&2
rate=20
records=$((rate * callgrind_seconds))
panel_per_record=$(( ($(instructions "$panel" $rate) - $(instructions "$panel" 0)) / records ))
bare_per_record=$(( ($(instructions "$bare" $rate) - $(instructions "$bare" 0)) / records ))
row "instructions per status+frequency record (callgrind)" "$panel_per_record" \
    "$bare_per_record" "$(ratio "$panel_per_record" "$bare_per_record")" "≤ 1.5x"
before=${VORA_BENCH_BEFORE:-}
if [[ -n $before ]]; then
    before_per_record=$(( ($(instructions "$before" $rate) - $(instructions "$before" 0)) / records ))
    row "the same, the build before" "$before_per_record" "$bare_per_record" \
        "$(ratio "$before_per_record" "$bare_per_record")" "-"
fi

echo "bench: records through the real window" >&2
steady=$("$build/bench/panel_bench" --benchmark_filter=Steady \
    --benchmark_min_time="$benchmark_time" --benchmark_format=csv 2>/dev/null |
    awk -F, '/RecordsThroughTheWindowSteady/ { printf "%.0f", $7 }')
tuning=$("$build/bench/panel_bench" --benchmark_filter=Tuning \
    --benchmark_min_time="$benchmark_time" --benchmark_format=csv 2>/dev/null |
    awk -F, '/RecordsThroughTheWindowTuning/ { printf "%.0f", $7 }')
row "records/s through the real window, one record per receive event (steady report)" \
    "$steady" "-" "-" "≥ 100000"
row "the same, every record a new frequency (a repaint each)" "$tuning" "-" "-" "-"

echo "bench: CPU while fed" >&2
cpu() {  # cpu PROGRAM RATE: CPU milliseconds over the fed seconds
    field cpu_ms "$("$feeder" --rate "$2" --seconds "$fed_seconds" --settle 2 -- "$1" 2>/dev/null)"
}
# The panel and the bare window take turns, so a busy moment of the machine falls on both; the
# median of the runs is kept.
cpu_pair() {  # cpu_pair RATE: prints "panel bare"
    local panel_runs=() bare_runs=()
    for _ in $(seq "$fed_runs"); do
        panel_runs+=("$(cpu "$panel" "$1")")
        bare_runs+=("$(cpu "$bare" "$1")")
    done
    echo "$(printf '%s\n' "${panel_runs[@]}" | median) $(printf '%s\n' "${bare_runs[@]}" | median)"
}
for rate in 120 1; do
    read -r panel_cpu bare_cpu < <(cpu_pair $rate)
    if [[ $rate == 120 ]]; then
        what="CPU ms over ${fed_seconds} s at 120 records/s (median of $fed_runs)" budget="≤ 1.2x"
    else
        what="idle CPU ms over ${fed_seconds} s, a record a second (median of $fed_runs)"
        budget="≤ 1.1x"
    fi
    row "$what" "$panel_cpu" "$bare_cpu" "$(ratio "$panel_cpu" "$bare_cpu")" "$budget"
    if [[ -n $before ]]; then
        before_cpu=$(cpu "$before" $rate)
        row "the same, the build before" "$before_cpu" "$bare_cpu" \
            "$(ratio "$before_cpu" "$bare_cpu")" "-"
    fi
done

echo "bench: press to line" >&2
press=$("$build/bench/press_latency" "$presses" 2>/dev/null)
row "press → command readable at the pty, p99 µs (p50 $(field p50 "$press"))" \
    "$(field p99 "$press")" "-" "-" "≤ 1000"

echo "bench: a flood of 1 MB/s for ${flood_seconds} s" >&2
flood=$("$build/bench/flood" "$flood_seconds" 1000000 2>/dev/null)
row "flood of $(field bytes_per_s "$flood") B/s for ${flood_seconds} s: event-loop lateness p99 ms" \
    "$(field p99 "$flood")" "-" "-" "≤ 50"
row "the same: resident memory growth after the first second, KB (port still open: $(field port_open "$flood"))" \
    "$(field rss_growth_kb "$flood")" "-" "-" "≤ 2048"

echo "bench: start-up" >&2
startup() {  # startup PROGRAM: milliseconds from the start to "2a" on the line, median
    for _ in $(seq "$starts"); do
        field startup_ms "$("$feeder" --rate 0 --seconds 0 --settle 0 -- "$1" 2>/dev/null)"
    done | median
}
panel_start=$(startup "$panel")
bare_start=$(startup "$bare")
row "start-up to \"2a\" on the line, ms (median of $starts)" "$panel_start" "$bare_start" \
    "$(ratio "$panel_start" "$bare_start")" "as before"
if [[ -n $before ]]; then
    before_start=$(startup "$before")
    row "the same, the build before" "$before_start" "$bare_start" \
        "$(ratio "$before_start" "$bare_start")" "-"
fi

echo "bench: repeat counts" >&2
while read -r line; do
    button=$(sed 's/ *[0-9.]* commands\/s.*//' <<<"$line")
    count=$(sed -n 's/.*; \([0-9]*\) commands in a.*/\1/p' <<<"$line")
    nominal=$(sed -n 's/.*(nominal \([0-9]*\))$/\1/p' <<<"$line")
    row "$button held ${hold_seconds} s: commands on the line" "$count" "-" "-" "$nominal ± 1"
done < <("$build/bench/repeat_rate" "$hold_seconds" 2>/dev/null)

echo "bench: tuning moves against the virtual transmitter" >&2
while read -r line; do
    [[ $line == move* ]] || continue
    row "tune $(field from "$line") → $(field to "$line") MHz: commands, ms (plan $(field plan "$line"))" \
        "$(field commands "$line") in $(field ms "$line") ms" "-" "-" \
        "≤ $(field fewest "$line") (the fewest), ≤ $(field budget_ms "$line") ms"
done < <("$build/bench/tuning_moves" 2>/dev/null)

echo
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(uname -r)$($quick && echo ', --quick')."
echo
echo "| figure | panel | bare window | ratio | budget |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"

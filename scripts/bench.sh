#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Idrova's benchmarks (release, build/release) and runs them offscreen:
# the core (belt path, layout check, tensioner search), the real window (a
# stepper click, a calculate-button press) and the start-up to the first
# drawn picture with its peak memory. Ends with a markdown table
# | measure | figure | target |. Times are the CPU time of the benchmark
# thread (equal to the wall time on an idle machine), with the wall time
# beside them; each is the median of several repetitions. Start-up is wall
# time from launch, the median of 10 runs.
# Pass --quick for one repetition and 3 start-up runs.
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=5
startupRuns=10
if [ "${1:-}" = "--quick" ]; then
  repetitions=1
  startupRuns=3
fi

rows=$(mktemp)  # the table rows, gathered from every program
runtimeDir=""
trap 'rm -f "$rows"; [ -z "$runtimeDir" ] || rm -rf "$runtimeDir"' EXIT

scripts/install-deps.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then  # Qt wants one; a private scratch one will do
  runtimeDir=$(mktemp -d)
  export XDG_RUNTIME_DIR="$runtimeDir"
fi

echo "== Build (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DIDROVA_BUILD_BENCHMARKS=ON \
  >/dev/null
cmake --build build/release --target core_bench window_bench idrova_startup_probe

# Repetitions of all benchmarks run interleaved in random order, so that the
# ratios read from one run (ComputeBeltPath to the lean lengths, the search
# before and after) are not skewed by the machine's speed drifting.
benchOptions=(--benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true
  --table="$rows")
if [ "$repetitions" -gt 1 ]; then benchOptions+=(--benchmark_report_aggregates_only=true); fi

echo "== Core"
build/release/bench/core_bench "${benchOptions[@]}"
echo "== Window (offscreen)"
build/release/bench/window_bench "${benchOptions[@]}"

echo "== Start-up (offscreen, $startupRuns runs)"
probe=build/release/bench/idrova_startup_probe
"$probe" >/dev/null 2>&1 || true  # first run only fills the file cache
startupMs=()
memoryMb=()
bareMs=()
bareJapaneseMs=()
for ((i = 0; i < startupRuns; ++i)); do
  line=$("$probe" --bare-japanese "${EPOCHREALTIME//[.,]/}")
  [[ $line =~ startup_ms=([0-9.]+) ]] || {
    echo "start-up probe (bare window in Japanese) failed" >&2
    exit 1
  }
  bareJapaneseMs+=("${BASH_REMATCH[1]}")
  # A bare Qt window (a label and an edit) started the same way, for the ratio.
  line=$("$probe" --bare "${EPOCHREALTIME//[.,]/}")
  [[ $line =~ startup_ms=([0-9.]+) ]] || {
    echo "start-up probe (bare window) failed" >&2
    exit 1
  }
  bareMs+=("${BASH_REMATCH[1]}")
  # The launch time in microseconds, taken by the shell itself just before
  # it starts the probe.
  line=$("$probe" "${EPOCHREALTIME//[.,]/}")
  echo "$line"
  [[ $line =~ startup_ms=([0-9.]+)\ maxrss_mb=([0-9.]+) ]] || {
    echo "start-up probe failed" >&2
    exit 1
  }
  startupMs+=("${BASH_REMATCH[1]}")
  memoryMb+=("${BASH_REMATCH[2]}")
done

median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
judged() {  # value limit format
  awk -v v="$1" -v l="$2" -v f="$3" 'BEGIN { printf f " (%s)", v, (v <= l) ? "ok" : "ABOVE" }'
}
{
  echo "| Start-up to the first drawn picture, median of $startupRuns | $(judged "$(median "${startupMs[@]}")" 400 "%.0f ms") | ≤ 400 ms |"
  echo "| Start-up over a bare Qt window's (a label and an edit, $(median "${bareMs[@]}") ms), medians of $startupRuns | $(judged "$(awk -v a="$(median "${startupMs[@]}")" -v b="$(median "${bareMs[@]}")" 'BEGIN { printf "%.2f", a / b }')" 1.2 "%.2f ×") | ≤ 1.2 × |"
  echo "| Start-up over the same bare window in Japanese in the window's face ($(median "${bareJapaneseMs[@]}") ms) | $(awk -v a="$(median "${startupMs[@]}")" -v b="$(median "${bareJapaneseMs[@]}")" 'BEGIN { printf "%.2f ×", a / b }') | — |"
  echo "| Peak resident memory (ru_maxrss), median of $startupRuns | $(judged "$(median "${memoryMb[@]}")" 80 "%.1f MB") | ≤ 80 MB |"
} >>"$rows"

echo
echo "== Summary"
echo
echo "| measure | figure | target |"
echo "|---|---|---|"
cat "$rows"

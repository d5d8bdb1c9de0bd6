#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a while on a copy of its seed
# corpus, the time shared out evenly among them.
# Usage: scripts/fuzz.sh [seconds in all, default 60].
# Exits non-zero when a target finds a crash; the input that caused it is
# written to build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(number_text geometry drive_file)
total="${1:-60}"
seconds=$(( total / ${#targets[@]} ))
[ "$seconds" -ge 1 ] || seconds=1

# The fuzzers need clang and its libFuzzer runtime; configuring the project
# also needs CMake, Ninja and Qt, which the configure step looks for.
packages=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev libgl-dev)
scripts/install-deps.sh "${packages[@]}"

build=build/fuzz
san="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$san" \
  -DIDROVA_BUILD_FUZZERS=ON -DIDROVA_BUILD_TESTS=OFF -DIDROVA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/%/_fuzz}"

status=0
mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  echo "== ${target}_fuzz for ${seconds} s"
  corpus="$build/corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/${target}-" "$corpus"; then
    echo "** ${target}_fuzz failed; see $build/artifacts/" >&2
    status=1
  fi
done
exit "$status"

#!/usr/bin/env bash
# Installs what is missing, builds Idrova with warnings as errors and runs
# every test; then builds and runs them once more under AddressSanitizer and
# UndefinedBehaviorSanitizer. Pass --quick to skip the sanitizer run.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test (debug, warnings as errors)"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIDROVA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

if [ "$quick" -eq 0 ]; then
  echo "== Build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
  san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIDROVA_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DIDROVA_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build build/asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Idrova with warnings as errors and runs
# every test. Then, unless --quick is given: the tests and a 20,000-action
# soak once more under AddressSanitizer + UndefinedBehaviorSanitizer, a short
# fuzzing run of the number texts, the geometry and the drive file reader,
# the formatting and clang-tidy checks, and the install, package and release
# checks (lintian, AppStream, desktop entry, hardening, manual page, a build
# of the program alone).
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test (debug, warnings as errors)"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIDROVA_WARNINGS_AS_ERRORS=ON \
  -DIDROVA_SOAK_ACTIONS=2000 -DIDROVA_SOAK_MAX_ACTION_MS=5000 >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

[ "$quick" -eq 1 ] && exit 0

echo "== Build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
# Optimised, so that the soak's one-second bound on an action stays meaningful;
# the sanitizers still slow every action down, hence the wider bound here.
san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIDROVA_WARNINGS_AS_ERRORS=ON \
  -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DIDROVA_BUILD_BENCHMARKS=OFF \
  -DIDROVA_SOAK_ACTIONS=20000 -DIDROVA_SOAK_MAX_ACTION_MS=3000 >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== Fuzzing the number texts, the geometry and the drive file reader"
scripts/fuzz.sh 40

echo "== Formatting and clang-tidy"
scripts/check-style.sh

echo "== Install, package and release checks"
scripts/check-release.sh  # runs the install and package checks first

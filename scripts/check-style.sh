#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Style checks: clang-format on every tracked C++ file under src/, tests/,
# bench/, fuzz/ and tools/ (the rules are in .clang-format), and clang-tidy on
# the core below the window (the checks are in .clang-tidy) with a compile database
# from build/tidy. Installs what is missing with apt-get. Exits non-zero on
# any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh clang-format clang-tidy

status=0

echo "== clang-format ($(clang-format --version | sed 's/.*version \([0-9.]*\).*/\1/'))"
dirs=()
for d in src tests bench fuzz tools; do
  [ -d "$d" ] && dirs+=("$d")
done
mapfile -t sources < <(git ls-files -- "${dirs[@]}" | grep -E '\.(cpp|h)$' || true)
unformatted=()
for f in "${sources[@]}"; do
  [ -f "$f" ] || continue
  clang-format --dry-run --Werror "$f" 2>/dev/null || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (see: clang-format --dry-run FILE; fix: clang-format -i FILE):"
  printf '  %s\n' "${unformatted[@]}"
  status=1
else
  echo "All ${#sources[@]} files formatted."
fi

echo "== clang-tidy ($(clang-tidy --version | sed -n 's/.*version \([0-9.]*\).*/\1/p'))"
build=build/tidy
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DIDROVA_BUILD_TESTS=OFF -DIDROVA_BUILD_BENCHMARKS=OFF >/dev/null
mapfile -t core < <(git ls-files -- 'src/geometry/*.cpp' 'src/model/*.cpp' 'src/input/*.cpp' \
  'src/calc/*.cpp' 'src/draw/*.cpp' 'src/text/*.cpp' 'src/files/*.cpp' 'src/export/*.cpp')
existing=()
for f in "${core[@]}"; do
  [ -f "$f" ] && existing+=("$f")
done
if clang-tidy -p "$build" --quiet "${existing[@]}" 2> >(grep -v 'warnings generated' >&2); then
  echo "clang-tidy: ${#existing[@]} core files clean."
else
  echo "clang-tidy found problems."
  status=1
fi

if [ "$status" -ne 0 ]; then
  echo "Style check FAILED."
fi
exit "$status"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plants one fault in a source file, builds the tests and runs them, then
# puts the file back as it was. Tells whether the tests caught the fault.
#
#   scripts/plant-fault.sh FILE 'TEXT' 'REPLACEMENT' [CTEST_REGEX]
#
# TEXT must occur exactly once in FILE. CTEST_REGEX narrows the run to the
# tests whose names match (ctest -R). Exit status: 0 caught, 1 not caught,
# 2 the fault does not compile (which catches nothing), 3 bad arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 3 ] || [ ! -f "$1" ]; then
  sed -n '3,10p' "$0" | sed 's/^# \{0,1\}//'
  exit 3
fi
file=$1
export PLANT_TEXT=$2 PLANT_WITH=$3
filter=${4:-}

count=$(perl -0ne 'my $n = () = /\Q$ENV{PLANT_TEXT}\E/g; print $n' "$file")
if [ "$count" != 1 ]; then
  echo "plant-fault: '$PLANT_TEXT' occurs $count times in $file; it must occur once" >&2
  exit 3
fi

backup=$(mktemp)
cp -p "$file" "$backup"
restore() {
  cp -p "$backup" "$file"
  touch "$file"  # newer than the objects built from the fault
  rm -f "$backup"
}
trap restore EXIT
perl -0pi -e 's/\Q$ENV{PLANT_TEXT}\E/$ENV{PLANT_WITH}/' "$file"
echo "plant-fault: in $file"
diff "$backup" "$file" || true

export QT_QPA_PLATFORM=offscreen
if [ ! -f build/test/build.ninja ]; then
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIDROVA_WARNINGS_AS_ERRORS=ON \
    -DIDROVA_SOAK_ACTIONS=2000 -DIDROVA_SOAK_MAX_ACTION_MS=5000 >/dev/null
fi
if ! cmake --build build/test -j "$(nproc)" >/dev/null; then
  echo "plant-fault: the fault does not compile"
  exit 2
fi
if ctest --test-dir build/test -j "$(nproc)" --output-on-failure ${filter:+-R "$filter"} \
  >build/test/plant-fault.log 2>&1; then
  echo "plant-fault: NOT caught: every test passed (build/test/plant-fault.log)"
  exit 1
fi
grep -E '^[[:space:]]*[0-9]+ - |\[  FAILED  \] [A-Za-z]' build/test/plant-fault.log | sort -u
echo "plant-fault: caught (build/test/plant-fault.log)"

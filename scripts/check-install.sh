#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Idrova (release) in build/install-check, installs it into a staging
# directory under build/ and checks that exactly the expected files are there:
# the program, its desktop entry (with Japanese name and comment), its
# AppStream metainfo, its icons, its manual page, copyright and changelog.
# Exits non-zero on a missing or unexpected file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh desktop-file-utils

build=build/install-check
stage=build/install-check-stage

echo "== Configure and build (release) in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DIDROVA_BUILD_TESTS=OFF -DIDROVA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target idrova

echo "== Install into $stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage"

expected=(
  bin/idrova
  share/applications/org.idrova.Idrova.desktop
  share/doc/idrova/changelog.gz
  share/doc/idrova/copyright
  share/icons/hicolor/256x256/apps/idrova.png
  share/icons/hicolor/48x48/apps/idrova.png
  share/icons/hicolor/scalable/apps/idrova.svg
  share/man/man1/idrova.1.gz
  share/metainfo/org.idrova.Idrova.metainfo.xml
)

echo "== Installed files"
actual=$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | sort)
echo "$actual"

fail=0
for f in "${expected[@]}"; do
  if [ ! -f "$stage/$f" ]; then
    echo "MISSING: $f"
    fail=1
  fi
done
unexpected=$(comm -13 <(printf '%s\n' "${expected[@]}" | sort) <(echo "$actual"))
if [ -n "$unexpected" ]; then
  echo "UNEXPECTED (only the program and its desktop, icon and documentation files are installed):"
  echo "$unexpected"
  fail=1
fi

if [ -f "$stage/bin/idrova" ] && [ ! -x "$stage/bin/idrova" ]; then
  echo "NOT EXECUTABLE: bin/idrova"
  fail=1
fi

desktop="$stage/share/applications/org.idrova.Idrova.desktop"
if [ -f "$desktop" ]; then
  for key in 'Type=Application' 'Name=Idrova' 'Name\[ja\]=.' 'Comment=.' 'Comment\[ja\]=.' \
             'Exec=idrova' 'Icon=idrova'; do
    if ! grep -q "^$key" "$desktop"; then
      echo "DESKTOP ENTRY LACKS: ${key//\\/}"
      fail=1
    fi
  done
  desktop-file-validate "$desktop" || { echo "DESKTOP ENTRY INVALID"; fail=1; }
fi

svg="$stage/share/icons/hicolor/scalable/apps/idrova.svg"
if [ -f "$svg" ] && ! grep -q '<svg' "$svg"; then
  echo "ICON IS NOT SVG: $svg"
  fail=1
fi

if [ "$fail" -ne 0 ]; then
  echo "Install check FAILED."
  exit 1
fi
echo "Install check passed."

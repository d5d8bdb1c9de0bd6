#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Idrova (release) in build/install-check, installs it into a staging
# directory under build/ and checks that exactly the expected files are there:
# the program, its desktop entry (with Japanese name and comment), its
# AppStream metainfo, its icons, its manual page, copyright and changelog.
# Starts the installed program on a virtual X display to check that the
# desktop entry's StartupWMClass is the window's class. Then installs into
# scratch prefixes and uninstalls (uninstall.cmake and the target
# uninstall): no file and no folder of the install may remain, and no folder
# that was there before may go. Exits non-zero on any failed check.
set -euo pipefail
cd "$(dirname "$0")/.."

# desktop-file-validate; xvfb-run (xvfb, xauth) and xwininfo (x11-utils).
scripts/install-deps.sh desktop-file-utils xvfb xauth x11-utils

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
  share/mime/packages/org.idrova.Idrova.xml
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
             'Exec=idrova' 'Icon=idrova' 'StartupWMClass=idrova$'; do
    if ! grep -q "^$key" "$desktop"; then
      echo "DESKTOP ENTRY LACKS: ${key//[\\$]/}"
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

echo "== The window's class (WM_CLASS) against the desktop entry's StartupWMClass"
# A dock ties a window to its launcher by this class. The installed program
# runs on a virtual X display until its window is mapped; xwininfo lists each
# window with its WM_CLASS, as ("instance" "class").
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop" 2>/dev/null || true)
if [ -n "$wm_class" ] && [ -x "$stage/bin/idrova" ]; then
  # shellcheck disable=SC2016
  windows=$(QT_QPA_PLATFORM=xcb timeout 120 xvfb-run -a bash -c '
    set -euo pipefail
    "$1" >/dev/null 2>&1 &
    program=$!
    for _ in $(seq 300); do
      tree=$(xwininfo -root -tree 2>/dev/null || true)
      grep -q "(\"" <<<"$tree" && break
      kill -0 "$program" 2>/dev/null || break
      sleep 0.2
    done
    grep "(\"" <<<"$tree" || true
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true' _ "$stage/bin/idrova" || true)
  if [ -z "$windows" ]; then
    echo "NO WINDOW WITH A CLASS OPENED on the virtual display"
    fail=1
  else
    echo "$windows"
    # The class or the instance name, as docks match either.
    others=$(grep -vE "\(\"$wm_class\" \"[^\"]*\"\)|\(\"[^\"]*\" \"$wm_class\"\)" <<<"$windows" || true)
    if [ -n "$others" ]; then
      echo "StartupWMClass=$wm_class IS NOT THE CLASS OF: $others"
      fail=1
    fi
  fi
fi

echo "== Install into scratch prefixes and uninstall"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree_of() { (cd "$scratch" && find . | sort); }

# A prefix as /usr/local is on Debian: bin, share/man/man1 and some more
# exist before the install (share/man/man1 empty, as the install leaves it),
# and share/applications holds someone else's file.
prefix="$scratch/usr/local"
for d in bin share/man/man1 share/icons/hicolor share/applications; do
  mkdir -p "$prefix/$d"
done
echo '[Desktop Entry]' >"$prefix/share/applications/other.desktop"
before=$(tree_of)
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in "${expected[@]}"; do
  [ -f "$prefix/$f" ] || { echo "NOT INSTALLED INTO $prefix: $f"; fail=1; }
done
[ -d "$prefix/share/metainfo" ] || { echo "THE INSTALL CREATED NO FOLDER IN $prefix"; fail=1; }
cmake -P "$build/uninstall.cmake"
after=$(tree_of)
if [ "$before" != "$after" ]; then
  echo "UNINSTALL DID NOT RESTORE $prefix (<: gone though there before; >: left by the install):"
  diff <(echo "$before") <(echo "$after") | grep '^[<>]' || true
  fail=1
fi

# A prefix that does not exist yet, installed into twice; a file put into a
# folder of the install afterwards keeps that folder and its parents, and
# the next uninstall, once the file is gone, removes them.
prefix="$scratch/opt/idrova"
before=$(tree_of)
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null
echo notes >"$prefix/share/doc/idrova/notes"
cmake --build "$build" --target uninstall >/dev/null
left=$(cd "$scratch" && find opt 2>/dev/null | sort | tr '\n' ' ')
if [ "$left" != "opt opt/idrova opt/idrova/share opt/idrova/share/doc opt/idrova/share/doc/idrova opt/idrova/share/doc/idrova/notes " ]; then
  echo "UNINSTALL LEFT OTHER THAN THE FOREIGN FILE AND ITS FOLDERS: $left"
  fail=1
fi
rm "$prefix/share/doc/idrova/notes"
cmake -P "$build/uninstall.cmake" >/dev/null
after=$(tree_of)
if [ "$before" != "$after" ]; then
  echo "UNINSTALL DID NOT REMOVE THE PREFIX IT CREATED (<: gone; >: left):"
  diff <(echo "$before") <(echo "$after") | grep '^[<>]' || true
  fail=1
fi
[ "$fail" -ne 0 ] || echo "Every file and created folder removed; the folders there before kept."

if [ "$fail" -ne 0 ]; then
  echo "Install check FAILED."
  exit 1
fi
echo "Install check passed."

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of Idrova with CPack in build/install-check (after
# scripts/check-install.sh has built and checked the install there), shows its
# contents and fields, and checks the declared dependencies and
# recommendations, the files and the folders' modes.
# Finally unpacks it into a throwaway directory (dpkg -x; nothing is installed
# on this machine). Exits non-zero on any failed check.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/check-install.sh

# cpack's DEB generator runs dpkg-shlibdeps (dpkg-dev) and file.
scripts/install-deps.sh dpkg-dev file

build=build/install-check

echo "== Build the .deb"
rm -f "$build"/idrova_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/idrova_*.deb)
if [ ! -f "${debs[0]}" ] || [ ${#debs[@]} -ne 1 ]; then
  echo "Package check FAILED: expected one idrova_*.deb in $build"
  exit 1
fi
deb=${debs[0]}
echo "Package: $deb"

echo "== Contents (dpkg-deb -c)"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
echo "== Fields (dpkg-deb -I)"
dpkg-deb -I "$deb"

fail=0
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic; do
  if ! grep -qE "(^|[ ,])$dep( |,|$)" <<<"$depends"; then
    echo "DEPENDS LACKS: $dep"
    fail=1
  fi
done
# Qt's Wayland platform plugin, so that a Wayland session shows the window
# natively instead of through XWayland.
recommends=$(dpkg-deb -f "$deb" Recommends)
if ! grep -qE "(^|[ ,])qt6-wayland( |,|$)" <<<"$recommends"; then
  echo "RECOMMENDS LACKS: qt6-wayland (Recommends: $recommends)"
  fail=1
fi
for field in Maintainer Section Description; do
  if [ -z "$(dpkg-deb -f "$deb" "$field")" ]; then
    echo "FIELD MISSING: $field"
    fail=1
  fi
done
version=$(dpkg-deb -f "$deb" Version)
project_version=$(sed -n 's/^project(Idrova VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ "$version" != "$project_version" ]; then
  echo "VERSION $version is not the project version $project_version"
  fail=1
fi

expected=(
  ./usr/bin/idrova
  ./usr/share/applications/org.idrova.Idrova.desktop
  ./usr/share/doc/idrova/changelog.gz
  ./usr/share/doc/idrova/copyright
  ./usr/share/icons/hicolor/256x256/apps/idrova.png
  ./usr/share/icons/hicolor/48x48/apps/idrova.png
  ./usr/share/icons/hicolor/scalable/apps/idrova.svg
  ./usr/share/man/man1/idrova.1.gz
  ./usr/share/metainfo/org.idrova.Idrova.metainfo.xml
  ./usr/share/mime/packages/org.idrova.Idrova.xml
)
files=$(awk '$1 !~ /^d/ {print $6}' <<<"$contents" | sort)
for f in "${expected[@]}"; do
  if ! grep -qxF "$f" <<<"$files"; then
    echo "MISSING IN PACKAGE: $f"
    fail=1
  fi
done
# Every folder rwxr-xr-x, whatever the umask of whoever packaged it.
odd_dirs=$(awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"' <<<"$contents")
if [ -n "$odd_dirs" ]; then
  echo "FOLDERS NOT rwxr-xr-x:"
  echo "$odd_dirs"
  fail=1
fi
unexpected=$(comm -13 <(printf '%s\n' "${expected[@]}" | sort) <(echo "$files"))
if [ -n "$unexpected" ]; then
  echo "UNEXPECTED IN PACKAGE:"
  echo "$unexpected"
  fail=1
fi

echo "== Unpack into a throwaway root (dpkg -x)"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in "${expected[@]}"; do
  if [ ! -f "$root/$f" ]; then
    echo "NOT UNPACKED: $f"
    fail=1
  fi
done
if [ -x "$root/usr/bin/idrova" ]; then
  unresolved=$(ldd "$root/usr/bin/idrova" | grep 'not found' || true)
  if [ -n "$unresolved" ]; then
    echo "UNRESOLVED LIBRARIES:"
    echo "$unresolved"
    fail=1
  fi
else
  echo "NOT EXECUTABLE AFTER UNPACKING: usr/bin/idrova"
  fail=1
fi
(cd "$root" && find . -type f | sort)

if [ "$fail" -ne 0 ]; then
  echo "Package check FAILED."
  exit 1
fi
echo "Package check passed: Depends: $depends"

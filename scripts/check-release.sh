#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Release checks, after the package check (which it runs first): the licence
# line in every source file, lintian on the .deb, the AppStream metainfo, the
# desktop entry, the hardening of the packaged binary, the manual page (plain
# ASCII, rendered without a warning in the C and a UTF-8 locale), the PNG
# icons, a build of the program alone (no tests, benchmarks or tools) in a
# build folder of its own, which must not look for the test libraries, and
# a reproducible package (scripts/check-reproducible.sh).
# Each check prints what it found when it fails; exits non-zero if any did.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/check-package.sh
# lintian, appstreamcli, desktop-file-validate, hardening-check (devscripts),
# man (man-db), file.
scripts/install-deps.sh lintian appstream desktop-file-utils devscripts man-db file

fail=0
failed() {
  echo "RELEASE CHECK FAILED: $*"
  fail=1
}

echo "== Licence line in every source file"
mapfile -t sources < <(git ls-files | grep -E '(\.(cpp|h|sh|cmake|desktop|xml|svg|1)|CMakeLists\.txt|^\.ci/run)$')
missing=()
for f in "${sources[@]}"; do
  head -n 3 "$f" | grep -q 'SPDX-License-Identifier: MIT' || missing+=("$f")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf '  %s\n' "${missing[@]}"
  failed "${#missing[@]} source files lack 'SPDX-License-Identifier: MIT' in their first three lines"
else
  echo "All ${#sources[@]} source files carry it."
fi
grep -q '^Copyright (c) 2026 The Idrova developers$' LICENSE || failed "LICENSE lacks the copyright line"

deb=$(ls build/install-check/idrova_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

echo "== lintian --pedantic $deb"
# The maintainer address is for whoever publishes the package to set
# (IDROVA_PACKAGE_MAINTAINER, in the Maintainer field and the changelog's
# sign-off); the findings about its local default are the ones allowed.
allowed='bogus-mail-host|bogus-mail-host-in-debian-changelog'
report=$(lintian --pedantic --display-info --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$report"
blocking=$(grep -E '^[EW]: ' <<<"$report" | grep -vE " ($allowed)( |$)" || true)
[ -z "$blocking" ] || failed "lintian errors or warnings: $(wc -l <<<"$blocking")"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.idrova.Idrova.metainfo.xml" ||
  failed "the AppStream metainfo does not validate"

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/org.idrova.Idrova.desktop" ||
  failed "the desktop entry does not validate"

echo "== hardening-check --nocfprotection usr/bin/idrova"
# Control-flow protection is left out of the check: a program has it only
# when every object linked into it has, and Debian 12's C start files
# (Scrt1.o, crti.o, crtn.o from libc6-dev) do not, whatever the program's own
# objects are built with (-fcf-protection, where the compiler has it). The
# README's Install section says so, with the same command.
hardening=(hardening-check --nocfprotection)
"${hardening[@]}" "$root/usr/bin/idrova" || failed "the program lacks some hardening"
grep -qF "\`${hardening[*]}\`" README.md ||
  failed "README.md does not give the hardening check as it runs: \`${hardening[*]}\`"

echo "== man -l idrova.1.gz, in the C locale and in UTF-8"
# The page is plain ASCII, so that it reads the same in every locale: in the
# C locale man formats for an ASCII terminal, where any other character is
# lost. It must render there and in a UTF-8 locale without any groff warning
# (--warnings=w: all of them), and in the C locale as ASCII alone.
page="$root/usr/share/man/man1/idrova.1.gz"
beyond_ascii=$(zcat "$page" | LC_ALL=C grep -nP '[^\x00-\x7F]' || true)
if [ -n "$beyond_ascii" ]; then
  echo "$beyond_ascii"
  failed "the manual page has characters beyond ASCII"
fi
for locale in C C.UTF-8; do
  for encoding in "" UTF-8; do
    args=(--warnings=w -l "$page")
    [ -z "$encoding" ] || args=(-E "$encoding" "${args[@]}")
    how="LC_ALL=$locale man ${args[*]}"
    out=$(LC_ALL=$locale LANG=$locale MANWIDTH=80 man "${args[@]}" 2>"$root/man-warnings" || true)
    if [ -s "$root/man-warnings" ]; then
      cat "$root/man-warnings"
      failed "the manual page renders with warnings ($how)"
    fi
    grep -q '^NAME' <<<"$out" || failed "the manual page does not render ($how)"
    if grep -q $'\xEF\xBF\xBD' <<<"$out"; then
      failed "the manual page renders with replacement characters ($how)"
    fi
    if [ -z "$encoding" ] && [ "$locale" = C ]; then
      odd=$(LC_ALL=C grep -nP '[^\x00-\x7F]' <<<"$out" || true)
      if [ -n "$odd" ]; then
        echo "$odd"
        failed "the manual page renders with characters beyond ASCII ($how)"
      fi
    fi
  done
done
rm -f "$root/man-warnings"

echo "== PNG icons"
for size in 48x48 256x256; do
  icon="$root/usr/share/icons/hicolor/$size/apps/idrova.png"
  found=$(file -b "$icon")
  echo "$size: $found"
  grep -q "PNG image data, ${size/x/ x }, 8-bit/color RGBA" <<<"$found" ||
    failed "the $size icon is not a $size RGBA PNG"
done

echo "== The program alone, in build/program-only"
build=build/program-only
rm -rf "$build"
# Disabling the test libraries' packages makes configure fail if anything
# still looks for them.
cmake -S . -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DIDROVA_BUILD_TESTS=OFF \
  -DIDROVA_BUILD_BENCHMARKS=OFF -DIDROVA_BUILD_TOOLS=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null ||
  failed "configure of the program alone"
if grep -E '^(Qt6Test_DIR|GTest_DIR|benchmark_DIR):' "$build/CMakeCache.txt"; then
  failed "the program-only configure looked for a test library"
fi
cmake --build "$build" || failed "build of the program alone"
[ -x "$build/src/idrova" ] || failed "no program in $build/src"

echo "== Reproducible package"
scripts/check-reproducible.sh || failed "two builds of the same sources gave different packages"

if [ "$fail" -ne 0 ]; then
  echo "Release check FAILED."
  exit 1
fi
echo "Release check passed."

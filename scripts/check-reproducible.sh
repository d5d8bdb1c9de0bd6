#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that the Debian package is reproducible: builds the program
# (Release, without tests, benchmarks or tools) and its .deb twice from the
# same sources with the same SOURCE_DATE_EPOCH (as set, or else the time of
# the last commit) and compares the two packages byte for byte. The two
# builds differ in all else a build could pick up: where the source tree
# lies and its files' times (the second is a copy with every time set
# back), the build folder's name and depth, the umask, the time zone and the
# locale. The sources are the working tree's files that git tracks or does
# not ignore. Works in build/reproducible, removed again when the packages
# are the same; on a difference, prints what differs and keeps it.
set -euo pipefail
cd "$(dirname "$0")/.."

# cpack's DEB generator runs dpkg-shlibdeps (dpkg-dev) and file.
scripts/install-deps.sh dpkg-dev file

work=build/reproducible
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
echo "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

echo "== Two copies of the sources"
src1="$work/one/src"
src2="$work/second-tree/sources/idrova"
mkdir -p "$src1" "$src2"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do
    if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
  done |
  tar --null -T - -cf - | tar -xf - -C "$src1"
cp -a "$src1/." "$src2/"
find "$src2" -exec touch -h -d '2001-02-03 04:05:06 UTC' {} +
echo "$src1: $(find "$src1" -type f | wc -l) files"
echo "$src2: the same, every time set to 2001-02-03"

# build_deb <sources> <build folder> <umask> <time zone> <locale>
build_deb() {
  (
    umask "$3" &&
      export TZ="$4" LC_ALL="$5" &&
      cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DIDROVA_BUILD_TESTS=OFF \
        -DIDROVA_BUILD_BENCHMARKS=OFF -DIDROVA_BUILD_TOOLS=OFF &&
      cmake --build "$2" --target idrova &&
      cd "$2" && cpack -G DEB
  )
}

debs=()
for build in "$src1:$work/one/build:022:UTC:C" \
             "$src2:$work/second-tree/out/release-build:077:Asia/Tokyo:C.UTF-8"; do
  IFS=: read -r src out mask tz locale <<<"$build"
  echo "== Build in $out (umask $mask, TZ=$tz, LC_ALL=$locale)"
  mkdir -p "$(dirname "$out")"
  if ! build_deb "$src" "$out" "$mask" "$tz" "$locale" >"$out.log" 2>&1; then
    tail -n 40 "$out.log"
    echo "Reproducibility check FAILED: the build in $out failed (log: $out.log)"
    exit 1
  fi
  found=("$out"/idrova_*.deb)
  if [ ! -f "${found[0]}" ] || [ ${#found[@]} -ne 1 ]; then
    echo "Reproducibility check FAILED: expected one idrova_*.deb in $out"
    exit 1
  fi
  sha256sum "${found[0]}"
  debs+=("${found[0]}")
done

echo "== Compare"
if cmp "${debs[0]}" "${debs[1]}"; then
  rm -rf "$work"
  echo "Reproducibility check passed: the two packages are the same, byte for byte."
  exit 0
fi

# What differs: the .deb's members, the listings of its tarballs, the
# control fields, then every file of the packages that differs.
x1="$work/one/unpacked"
x2="$work/second-tree/unpacked"
for i in 0 1; do
  x=$([ "$i" -eq 0 ] && echo "$x1" || echo "$x2")
  mkdir -p "$x/ar" "$x/root"
  (cd "$x/ar" && ar x "${debs[$i]}")
  dpkg-deb -c "${debs[$i]}" >"$x/contents"
  dpkg-deb -I "${debs[$i]}" >"$x/info"
  dpkg-deb -R "${debs[$i]}" "$x/root"
done
echo "-- members (ar tv):"
diff <(ar tv "${debs[0]}") <(ar tv "${debs[1]}") || true
for member in "$x1"/ar/*; do
  cmp "$member" "$x2/ar/$(basename "$member")" || true
done
echo "-- contents (dpkg-deb -c):"
diff "$x1/contents" "$x2/contents" || true
echo "-- control (dpkg-deb -I):"
diff "$x1/info" "$x2/info" || true
echo "-- files:"
diff -rq "$x1/root" "$x2/root" || true
while IFS= read -r -d '' f; do
  rel=${f#"$x1/root/"}
  if [ -f "$x2/root/$rel" ] && ! cmp -s "$f" "$x2/root/$rel"; then
    echo "--- $rel differs:"
    case $(file -b "$f") in
      ELF*)
        diff <(readelf -n -S -W "$f") <(readelf -n -S -W "$x2/root/$rel") | head -n 40 || true
        diff <(strings -a "$f") <(strings -a "$x2/root/$rel") | head -n 40 || true ;;
      gzip*) diff <(zcat "$f") <(zcat "$x2/root/$rel") | head -n 40 || true ;;
      *) cmp -l "$f" "$x2/root/$rel" | head -n 20 || true ;;
    esac
  fi
done < <(find "$x1/root" -type f -print0 | sort -z)
if command -v diffoscope >/dev/null; then
  diffoscope --text - "${debs[0]}" "${debs[1]}" | head -n 200 || true
fi
echo "Reproducibility check FAILED: ${debs[0]} and ${debs[1]} differ (kept in $work)"
exit 1

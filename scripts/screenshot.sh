#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real Idrova window offscreen and saves a PNG of it
# (default docs/screenshot.png), for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshot.png}"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target idrova_screenshot
QT_QPA_PLATFORM=offscreen build/release/tools/idrova_screenshot "$out"
echo "Saved $out"

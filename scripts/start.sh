#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Idrova (release) and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target idrova
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Idrova on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x768x24" build/release/src/idrova
fi
exec build/release/src/idrova

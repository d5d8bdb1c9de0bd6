#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test program on a real desktop of a given size: a virtual X server,
# the openbox window manager (which frames and places windows as a desktop
# does), a session bus with the accessibility bus, and the window scaled by
# QT_SCALE_FACTOR. What only a real server shows (window frames, the first
# placement, keys through the server, AT-SPI) is checked there.
#   tests/on-real-desktop.sh WIDTHxHEIGHT SCALE PROGRAM [ARGUMENTS...]
set -euo pipefail
screen=$1
scale=$2
shift 2
inner='
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
sleep 0.5
status=0
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_SCALE_FACTOR='"$scale"' "$@" || status=$?
kill "$wm" "$bus" 2>/dev/null || true
exit "$status"'
exec dbus-run-session -- xvfb-run -a -s "-screen 0 ${screen}x24" bash -c "$inner" bash "$@"

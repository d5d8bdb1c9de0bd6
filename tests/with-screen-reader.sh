#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test program as a screen reader would see it: on a virtual X
# display, with a session bus and the accessibility bus (AT-SPI), and Qt's
# accessibility on, so that Qt tells the program's accessibility events.
#   tests/with-screen-reader.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
launcher=/usr/libexec/at-spi-bus-launcher
inner='
"'"$launcher"'" --launch-immediately >/dev/null 2>&1 &
bus=$!
sleep 1
status=0
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" || status=$?
kill "$bus" 2>/dev/null || true
exit "$status"'
exec dbus-run-session -- xvfb-run -a bash -c "$inner" bash "$@"

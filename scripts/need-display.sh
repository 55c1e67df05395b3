#!/usr/bin/env bash
# need-display.sh PROGRAM: ends with a failure, saying what is needed, when
# there is no graphical session for PROGRAM's windows: neither DISPLAY nor
# WAYLAND_DISPLAY is set and QT_QPA_PLATFORM names no platform that needs
# none (offscreen, vnc, ...). The run scripts call it before any set-up.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exit 0
fi
platform="${QT_QPA_PLATFORM:-}"
platform="${platform%%[;:]*}"
case "$platform" in
  "" | xcb | wayland*) ;;
  *) exit 0 ;;
esac
echo "$1 is a desktop program: it needs a graphical session (DISPLAY or WAYLAND_DISPLAY), and there is none here." >&2
echo "The tests need none: ./scripts/test.sh builds and runs them." >&2
exit 1

#!/usr/bin/env bash
# need-display.sh PROGRAM: ends with a failure, saying what is needed, when
# there is no graphical session for PROGRAM's windows: neither DISPLAY nor
# WAYLAND_DISPLAY is set and QT_QPA_PLATFORM names no platform that needs
# none (offscreen, vnc, ...). The run scripts call it before any set-up.
# QT_QPA_PLATFORM is read as the window toolkit reads it: a ;-list tried in
# order, each entry a name with its options after a colon, names compared
# without regard to case; unset or empty means the desktop's own platform.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exit 0
fi
IFS=';' read -r -a entries <<< "${QT_QPA_PLATFORM:-}"
for entry in "${entries[@]}"; do
  entry="${entry#"${entry%%[!:]*}"}"   # leading colons
  name="${entry%%:*}"
  name="${name,,}"
  case "$name" in
    "" | xcb | wayland*) ;;            # none, or one that needs its display
    *) exit 0 ;;
  esac
done
echo "$1 is a desktop program: it needs a graphical session (DISPLAY or WAYLAND_DISPLAY), and there is none here." >&2
echo "The tests need none: ./scripts/test.sh builds and runs them." >&2
exit 1

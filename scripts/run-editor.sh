#!/usr/bin/env bash
# Installs what is missing, builds, and starts the schedule editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/need-display.sh VTX7430_P8
bash scripts/build.sh build
if [ ! -x build/editor/VTX7430_P8 ]; then
  echo "build/editor/VTX7430_P8 was not built (the editor needs Qt 6 Widgets)." >&2
  exit 1
fi
# The editor reads its language file from its working folder, where the
# build puts a copy of editor/VTX7430.INI.
cd build/editor
exec ./VTX7430_P8 "$@"

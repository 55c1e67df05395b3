#!/usr/bin/env bash
# Installs what is missing, builds, and starts the PC monitor. Its COM n is
# the device named by VTX_COM<n> (else /dev/ttyS<n-1>), for example
#   VTX_COM3=/dev/ttyUSB0 ./scripts/run-monitor.sh
# or the pseudo-terminal that build/tools/monitorlink/monitorlink-device names.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/need-display.sh VTX7430MON_EN
bash scripts/build.sh build
if [ ! -x build/monitor/VTX7430MON_EN ]; then
  echo "build/monitor/VTX7430MON_EN was not built (the monitor needs Qt 6 Widgets)." >&2
  exit 1
fi
cd build/monitor
exec ./VTX7430MON_EN "$@"

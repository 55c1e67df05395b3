#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build
# Window tests draw into memory; they need no display.
export QT_QPA_PLATFORM=offscreen
bash scripts/ctest.sh build --timeout 300

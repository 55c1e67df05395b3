#!/usr/bin/env bash
# Installs what is missing, then configures and builds the whole tree in
# build/ (or the folder given as $1, with any further CMake options).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir="${1:-build}"
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$dir" -j "$(nproc)"

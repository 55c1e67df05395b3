#!/usr/bin/env bash
# Installs what is missing, then configures and builds the whole tree in
# build/ (or the folder given as $1, with any further CMake options). A
# folder already configured is configured again only when options are
# given (the build itself runs CMake again when a CMakeLists.txt changed),
# and a tree with nothing to build prints nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir="${1:-build}"
shift || true
if [ ! -f "$dir/build.ninja" ] || [ $# -gt 0 ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
if ninja -C "$dir" -n 2>/dev/null | grep -q "^ninja: no work to do\.$"; then
  exit 0
fi
cmake --build "$dir" -j "$(nproc)"

#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# when any of them is missing. The tests that look at the windows on a real
# X desktop bring their own: a virtual X server, a window manager and a
# tool that drags, clicks and types as a user would. Run as root, or as a
# user who may sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev
  fonts-wqy-microhei fonts-liberation2
  xvfb openbox xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"

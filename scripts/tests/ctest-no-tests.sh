#!/usr/bin/env bash
# scripts/ctest.sh with a filter that matches no test of the tree: the run
# fails, so that a mistyped -R or -L is not taken for a passing run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
echo "add_test(Suite.Passes true)" > "$tree/CTestTestfile.cmake"

status=0
output="$(bash "$here/../ctest.sh" "$tree" -R NoSuchTest 2>&1)" || status=$?
[ "$status" -ne 0 ] || { echo "a run that found no test left the status 0"; echo "--- its output:"; echo "$output"; exit 1; }

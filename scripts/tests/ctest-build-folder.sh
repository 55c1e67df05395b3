#!/usr/bin/env bash
# scripts/ctest.sh called from inside a build folder as "ctest.sh .": it runs
# that folder's tests, and writes ctest's Testing/ folder there, not at the
# top of the source tree.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/src" "$tmp/build"
cp -R "$here/.." "$tmp/src/scripts"
echo "add_test(Suite.Passes true)" > "$tmp/build/CTestTestfile.cmake"

status=0
output="$(cd "$tmp/build" && bash ../src/scripts/ctest.sh . 2>&1)" || status=$?
fail() { echo "$1"; echo "--- its output:"; echo "$output"; exit 1; }
[ "$status" -eq 0 ] || fail "the run failed"
grep -q "Suite.Passes .*Passed" <<< "$output" || fail "the build folder's test did not run"
[ ! -e "$tmp/src/Testing" ] || fail "ctest wrote its Testing/ folder at the top of the source tree"

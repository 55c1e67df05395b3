#!/usr/bin/env bash
# scripts/ctest.sh on a small test tree of one passing, one skipped (its
# reason followed by a blank line, as GoogleTest may print it) and one
# failing test: the skip is listed with its reason, and the run still fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT

skip='printf "%s\n" "/src/a.cpp:9: Skipped" "needs a writable tmpfs" "" "[  SKIPPED ] Suite.Skips (0 ms)"'
cat > "$tree/CTestTestfile.cmake" <<EOT
add_test(Suite.Passes true)
add_test(Suite.Skips sh -c [[$skip]])
set_tests_properties(Suite.Skips PROPERTIES SKIP_REGULAR_EXPRESSION "\\\\[  SKIPPED \\\\]")
add_test(Suite.Fails false)
EOT

status=0
output="$(bash "$here/../ctest.sh" "$tree" 2>&1)" || status=$?
fail() { echo "$1"; echo "--- its output:"; echo "$output"; exit 1; }
[ "$status" -ne 0 ] || fail "a failing test left the status 0"
grep -qx "Skipped Suite.Skips: needs a writable tmpfs" <<< "$output" \
  || fail "the skip is not listed with its reason, on a line of its own and without a trailing blank"

#!/usr/bin/env bash
# ctest.sh BUILD [CTEST OPTIONS]: runs the tests of BUILD with ctest, then
# lists each skipped test with its reason, also after a failure; ends with
# ctest's own status.
set -uo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
status=0
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@" || status=$?
bash scripts/skip-reasons.sh "$dir"
exit "$status"

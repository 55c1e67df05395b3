#!/usr/bin/env bash
# ctest.sh BUILD [CTEST OPTIONS]: runs the tests of BUILD (a folder taken
# from where the script is called) with ctest, then lists each skipped test
# with its reason, also after a failure; ends with ctest's own status. A run
# that finds no test at all, such as a filter that matches none, fails.
set -uo pipefail
scripts="$(cd "$(dirname "$0")" && pwd)"
dir="$(cd "$1" && pwd)" || exit 1
shift
status=0
ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$(nproc)" "$@" || status=$?
bash "$scripts/skip-reasons.sh" "$dir"
exit "$status"

#!/usr/bin/env bash
# skip-reasons.sh [BUILD]: after a ctest run in BUILD (build/), prints each
# skipped test with the reason it gave, which ctest's own summary leaves out.
# The reason is the text between the "Skipped" line and the test's
# "[  SKIPPED ]" line, its lines joined, blank lines and trailing blanks left
# out.
set -euo pipefail
log="${1:-build}/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
awk '
  /: Skipped$/ && /^\// { reason = ""; taking = 1; next }
  taking && /^\[  SKIPPED \] / {
    name = $4
    printf "Skipped %s%s\n", name, (reason == "" ? "" : ": " reason)
    taking = 0; next
  }
  taking {
    line = $0
    sub(/[ \t\r]+$/, "", line)
    if (line != "")
      reason = reason (reason == "" ? "" : " ") line
  }
' "$log"

#!/usr/bin/env bash
# skip-reasons.sh [BUILD]: after a ctest run in BUILD (build/), prints each
# skipped test with the reason it gave, which ctest's own summary leaves out.
set -euo pipefail
log="${1:-build}/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
awk '
  /: Skipped$/ && /^\// { reason = ""; taking = 1; next }
  taking && /^\[  SKIPPED \] / {
    name = $4
    printf "Skipped %s: %s\n", name, reason
    taking = 0; next
  }
  taking { reason = reason (reason == "" ? "" : " ") $0 }
' "$log"

#!/bin/bash
# Builds the INI loader's libFuzzer target with clang in a build folder of its
# own and runs it for the given number of seconds on a copy of the seed
# corpus. Exits non-zero on any finding; the input that shows it is kept in
# <build folder>/fuzz-artifacts/.
#
#   support/fuzz/run-fuzz.sh <seconds>     (build folder: $VTX_FUZZ_BUILD_DIR or build-fuzz/)
set -euo pipefail

Seconds=${1:?usage: run-fuzz.sh <seconds>}
Here=$(cd "$(dirname "$0")" && pwd)
Root=$(cd "$Here/../.." && pwd)
Build=${VTX_FUZZ_BUILD_DIR:-$Root/build-fuzz}

cmake -S "$Root" -B "$Build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVTX_BUILD_FUZZERS=ON -DVTX_BUILD_TESTS=OFF -DVTX_BUILD_BENCHMARKS=OFF -DVTX_BUILD_GUI=OFF >/dev/null
cmake --build "$Build" --target support_ini_fuzzer -j4

Work=$(mktemp -d)
trap 'rm -rf "$Work"' EXIT
mkdir -p "$Work/corpus" "$Build/fuzz-artifacts"
cp "$Here"/corpus/* "$Work/corpus/"

"$Build/support/fuzz/support_ini_fuzzer" \
  -max_total_time="$Seconds" -max_len=20000 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$Build/fuzz-artifacts/" "$Work/corpus"

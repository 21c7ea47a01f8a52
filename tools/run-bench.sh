#!/usr/bin/env bash
# Runs the benchmarks of a native build tree. The last line is "ratio N.N": the tag search for
# "*;" over one JOIN returning the same rows (the target is 3.0 or less).
#   tools/run-bench.sh build/native [benchmark options...]
set -euo pipefail
tree=${1:-build/native}
shift || true
cmake --build "$tree" --target catalogue_bench >/dev/null
"$tree/bench/catalogue_bench" "$@"

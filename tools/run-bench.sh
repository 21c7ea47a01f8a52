#!/usr/bin/env bash
# Runs the benchmarks of a native build tree, and the file-list benchmark of the Windows tree
# (build/win32, or QUILLON_WIN32) under Wine when that tree is configured. The last line is
# "ratio N.N": the tag search for "*;" over one JOIN returning the same rows (the target is 3.0
# or less).
#   tools/run-bench.sh build/native [benchmark options...]
set -euo pipefail
tree=${1:-build/native}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)

# The main window's file list with 10,000 rows and the quick bar's result list on a catalogue of
# 10,000 files, under Wine, when the Windows tree is there.
win32=${QUILLON_WIN32:-$root/build/win32}
if [ -f "$win32/build.ninja" ]; then
  cmake --build "$win32" --target list_fill_bench quick_results_bench >/dev/null
  bash "$root/tools/wine-run.sh" "$win32/bench/list_fill_bench.exe"
  bash "$root/tools/wine-run.sh" "$win32/bench/quick_results_bench.exe"
fi
cmake --build "$tree" --target catalogue_bench >/dev/null
"$tree/bench/catalogue_bench" "$@"

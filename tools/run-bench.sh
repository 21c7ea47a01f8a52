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
# 10,000 files, under Wine, when the Windows tree this machine runs is there (build/win32, or
# build/win64 where no 32-bit code runs).
win32=${QUILLON_WIN32:-$root/build/$(bash "$root/tools/windows-tree.sh")}
if [ -f "$win32/build.ninja" ]; then
  cmake --build "$win32" --target list_fill_bench quick_results_bench many_files_bench >/dev/null
  bash "$root/tools/wine-run.sh" "$win32/bench/list_fill_bench.exe"
  bash "$root/tools/wine-run.sh" "$win32/bench/quick_results_bench.exe"
  # The search for moved files on 10,000 real files on a drive of their own; a miss is said and
  # the other benchmarks still run.
  cmake --build "$win32" --target moved_files_bench >/dev/null
  bash "$root/tools/wine-run-with-drive.sh" "$win32/bench/moved_files_bench.exe" ||
    echo "moved_files_bench: a measurement failed"
  # 1,000 files added together and 2,000 removed, with the longest time the window was deaf.
  bash "$root/tools/wine-run.sh" "$win32/bench/many_files_bench.exe"
  # The hover preview over 10,000 rows, with pictures made once by ImageMagick.
  samples="$win32/bench/preview-samples"
  if [ ! -f "$samples/picture-12mp.bmp" ]; then
    mkdir -p "$samples"
    printf 'Agenda\n- budget\n' > "$samples/notes.txt"
    convert -size 1152x864 gradient:'#87CEEB-#F4E3B5' -seed 7 -attenuate 0.4 +noise Gaussian -quality 90 "$samples/photo-1mp.jpg"
    convert -size 4000x3000 gradient:'#FFFFFF-#4A6FA5' -seed 7 -attenuate 0.4 +noise Gaussian -quality 90 "$samples/photo-12mp.jpg"
    convert -size 4000x3000 gradient:'#2F4F4F-#F2C572' -seed 7 -attenuate 0.1 +noise Uniform "$samples/picture-12mp.png"
    convert -size 4000x3000 gradient:'#7A4E2D-#F2C572' -type TrueColor BMP3:"$samples/picture-12mp.bmp"
  fi
  cmake --build "$win32" --target preview_bench >/dev/null
  bash "$root/tools/wine-run.sh" "$win32/bench/preview_bench.exe" "Z:${samples//\//\\}"
fi
# The relocation pass over 10,000 files none missing, and repair over 20,000 with 1,000 moved.
cmake --build "$tree" --target relocate_bench catalogue_bench >/dev/null
"$tree/bench/relocate_bench" "$@"
"$tree/bench/catalogue_bench" "$@"

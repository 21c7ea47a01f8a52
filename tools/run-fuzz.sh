#!/usr/bin/env bash
# Bounded fuzzing of the picture readers and the header reading with libFuzzer and AddressSanitizer.
#   tools/run-fuzz.sh build/fuzz
# Each target runs QUILLON_FUZZ_SECONDS seconds (default 180). The corpus grows in
# <tree>/fuzz-corpus/<reader> from one run to the next; inputs that crash are kept in
# <tree>/fuzz-artifacts/<reader>/. Ends with one line per reader and fails when any crashed.
set -u
tree=${1:-build/fuzz}
seconds=${QUILLON_FUZZ_SECONDS:-180}

# Starting files of every kind the readers know, made with ImageMagick.
seed() {
  local reader=$1 dir=$2 src="gradient:red-blue"
  local -a kinds
  if [ "$reader" = jpeg_header ]; then
    # Photos with an Exif orientation, progressive and CMYK ones, and the other headers.
    printf 'Exif\0\0II*\0\010\0\0\0\001\0\022\001\003\0\001\0\0\0\006\0\0\0\0\0\0\0' >"$dir/orient.app1"
    kinds=("-profile APP1:orient.app1 JPEG:turned.jpg" "-interlace JPEG JPEG:progressive.jpg"
           "-colorspace CMYK JPEG:cmyk.jpg" "-colorspace Gray JPEG:grey.jpg" "PNG:1.png"
           "GIF:1.gif" "TIFF:1.tif" "ICO:1.ico")
  elif [ "$reader" = bmp ]; then
    kinds=("-type Bilevel BMP3:1.bmp" "-colors 16 -type Palette BMP3:4.bmp"
           "-type Palette BMP3:8.bmp" "-define bmp:subtype=RGB565 BMP:16.bmp"
           "BMP3:24.bmp" "-alpha on -type TrueColorAlpha BMP:32.bmp")
  else
    kinds=("TGA:24.tga" "-compress RLE TGA:24rle.tga" "-type Palette TGA:map.tga"
           "-type Palette -compress RLE TGA:maprle.tga" "-type Grayscale TGA:grey.tga"
           "-type Grayscale -compress RLE TGA:greyrle.tga" "-alpha on -type TrueColorAlpha TGA:32.tga")
  fi
  for kind in "${kinds[@]}"; do
    # shellcheck disable=SC2086  # each kind is a list of options and the output name
    (cd "$dir" && convert -size 9x7 "$src" $kind) >/dev/null 2>&1 || true
  done
}

failed=0
summary=()
for reader in bmp tga jpeg_header; do
  exe="$tree/fuzz/fuzz_$reader"
  if [ ! -x "$exe" ]; then
    echo "run-fuzz: $exe is missing (configure with -DQUILLON_FUZZ=ON and build)" >&2
    exit 2
  fi
  corpus="$tree/fuzz-corpus/$reader"
  artifacts="$tree/fuzz-artifacts/$reader"
  log="$tree/fuzz-$reader.log"
  mkdir -p "$corpus" "$artifacts"
  [ -n "$(ls -A "$corpus")" ] || seed "$reader" "$corpus"
  echo "== fuzzing the $reader reader for $seconds s"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -malloc_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ $status -ne 0 ]; then
    failed=1
    grep -m 5 -E 'ERROR|SUMMARY|Test unit written' "$log" | sed 's/^/   /'
    summary+=("$reader: FAILED after ${runs:-?} executions, see $log")
  else
    summary+=("$reader: ${runs:-?} executions, no findings")
  fi
done
printf '%s\n' "${summary[@]}"
exit $failed

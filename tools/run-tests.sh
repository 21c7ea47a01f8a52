#!/usr/bin/env bash
# Runs every test program of the given build trees with CTest and ends with one line
# "N passed, N failed", counted over the GoogleTest cases of all trees.
#   tools/run-tests.sh build/native build/sanitize build/win32
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${QUILLON_TEST_JOBS:-2}

# One virtual display and one Wine server for the whole run, so each test program starts fast.
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
# Tests get a prefix of their own, set up for speed; `make run` keeps build/wineprefix.
export QUILLON_WINEPREFIX="${QUILLON_WINEPREFIX:-$root/build/wineprefix-test}"
export QUILLON_WINE_UNMANAGED=1
export WINEPREFIX="$QUILLON_WINEPREFIX"
cleanup() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

passed=0
failed=0
for tree in "$@"; do
  results="$tree/test-results"
  rm -rf "$results"
  mkdir -p "$results"
  echo "== tests in $tree"
  (cd "$tree" && ctest --output-on-failure -j "$jobs") > "$tree/ctest.log" 2>&1
  status=$?
  grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|tests failed|The following|Failed|\*\*\*' "$tree/ctest.log" | sed 's/^/   /'
  [ $status -ne 0 ] && sed -n '/Output from these tests/,$p;/\[  FAILED  \]/p' "$tree/ctest.log" | head -n 200

  # GoogleTest cases from the XML reports; a program that wrote none counts as one failure.
  while read -r name; do
    xml="$results/$name.xml"
    if [ -f "$xml" ]; then
      head=$(grep -m1 '<testsuites' "$xml")
      t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
      f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
      d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
      e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
      s=$(grep -c 'result="skipped"' "$xml")
      passed=$((passed + t - f - ${d:-0} - ${e:-0} - s))
      failed=$((failed + f + ${e:-0}))
      grep -q "^ *[0-9]*/[0-9]* Test *#[0-9]*: $name \.*\*\*\*" "$tree/ctest.log" && [ "$f" = 0 ] && failed=$((failed + 1))
    else
      failed=$((failed + 1))
      echo "   $name wrote no results (crashed or did not start)"
    fi
  done < <(cd "$tree" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p')
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

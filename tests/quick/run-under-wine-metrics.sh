#!/usr/bin/env bash
# Runs a test program under Wine's own default font metrics, in a prefix of its own beside the
# program (the other test programs share a prefix set up as a standard 96-DPI display), so that
# a layout computed from dialog units is also tried at the size Wine gives them.
#   run-under-wine-metrics.sh quick_main_window_tests.exe
set -u
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLON_WINEPREFIX="$(cd "$(dirname "$program")" && pwd)/wineprefix-wine-metrics"
export WINEPREFIX="$QUILLON_WINEPREFIX"
export QUILLON_WINE_METRICS=wine
bash "$root/tools/wine-run.sh" "$program"
status=$?
wineserver -k >/dev/null 2>&1
exit $status

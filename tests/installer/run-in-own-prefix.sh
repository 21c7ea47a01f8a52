#!/usr/bin/env bash
# Runs the installer tests under Wine in a prefix of their own beside the test program, so that
# installing, uninstalling and the user's registry never meet the prefix the other test programs
# share. The prefix has the dialog units of a standard 96-DPI Windows display.
#   run-in-own-prefix.sh installer_tests.exe
set -u
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
export QUILLON_WINEPREFIX="$(dirname "$program")/wineprefix"
export WINEPREFIX="$QUILLON_WINEPREFIX"

# A program left running by an interrupted run must not meet this one.
wineserver -k >/dev/null 2>&1
if [ ! -f "$WINEPREFIX/.standard-metrics" ]; then
  bash "$root/tools/wine-run.sh" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 84 /f \
    >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.standard-metrics"
fi
bash "$root/tools/wine-run.sh" "$program"
status=$?
wineserver -k >/dev/null 2>&1
exit $status

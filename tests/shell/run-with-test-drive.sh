#!/usr/bin/env bash
# Runs a test program under Wine with drive Q: mapped to a small folder of its own, named to the
# program in QUILLON_TEST_DRIVE: Wine opens a file by its ID by scanning the drive's whole tree,
# which on Z: (the Linux root) takes seconds. The mapping and the folder go afterwards.
#   run-with-test-drive.sh moved_files_tests.exe
set -u
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="${QUILLON_WINEPREFIX:-$root/build/wineprefix}"
# The prefix is made on first use.
[ -d "$prefix/dosdevices" ] || bash "$root/tools/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1
folder=$(mktemp -d)
ln -sfn "$folder" "$prefix/dosdevices/q:"
QUILLON_TEST_DRIVE='Q:' bash "$root/tools/wine-run.sh" "$program"
status=$?
rm -f "$prefix/dosdevices/q:"
rm -rf "$folder"
exit $status

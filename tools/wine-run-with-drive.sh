#!/usr/bin/env bash
# Runs a Windows program under Wine (tools/wine-run.sh) with drive Q: mapped to an empty folder
# of its own, named to the program in QUILLON_TEST_DRIVE: Wine opens a file by its ID by
# scanning the drive's whole tree, which on Z: (the Linux root) takes seconds. The mapping and
# the folder go afterwards.
#   tools/wine-run-with-drive.sh program.exe [arguments...]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${QUILLON_WINEPREFIX:-$root/build/wineprefix}"
# The prefix is made on first use.
[ -d "$prefix/dosdevices" ] || bash "$root/tools/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1
folder=$(mktemp -d)
ln -sfn "$folder" "$prefix/dosdevices/q:"
QUILLON_TEST_DRIVE='Q:' bash "$root/tools/wine-run.sh" "$@"
status=$?
rm -f "$prefix/dosdevices/q:"
rm -rf "$folder"
exit $status

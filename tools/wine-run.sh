#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix (never ~/.wine), quietly,
# on a virtual display when none is set. CTest uses it as the emulator of the win32 tree.
#   tools/wine-run.sh program.exe [arguments...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

. "$here/wine-env.sh"
export WINEPREFIX="${QUILLON_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=$wine_arch
export WINELOADER=$wine_loader
export WINEDEBUG=-all
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The prefix shows a standard Windows display: dialog units as at 96 DPI, where the main
# window's template 102 is 492 pixels wide (Wine's default font metrics make them larger and
# hide layout faults). Wine reads LogPixels from system.reg only while its server is stopped.
standard_metrics() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w || true
  python3 "$here/set-log-pixels.py" "$WINEPREFIX/system.reg" 84
  touch "$WINEPREFIX/.standard-metrics"
}

if [ ! -f "$WINEPREFIX/.standard-metrics" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Several CTest jobs may start at once: one of them prepares the prefix, the others wait.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine_loader" wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # QUILLON_WINE_METRICS=wine: a prefix kept at Wine's own metrics, for layout tests.
  [ -f "$WINEPREFIX/.standard-metrics" ] || [ "${QUILLON_WINE_METRICS:-}" = wine ] ||
    standard_metrics
  flock -u 9
fi

# Test runs: without a window manager Wine waits about 2 s for each window shown or hidden
# unless its windows are unmanaged. The program draws its own frame, so nothing is lost.
if [ "${QUILLON_WINE_UNMANAGED:-0}" = 1 ] && [ ! -f "$WINEPREFIX/.unmanaged" ]; then
  "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w || true
  touch "$WINEPREFIX/.unmanaged"
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

exec "$wine_loader" "$@"

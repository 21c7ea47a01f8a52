#!/usr/bin/env bash
# `make run`: prepares a demo data folder in the project's Wine prefix (once) and starts
# quillon.exe. With a display the program runs until the user closes it. Without one it runs
# on a virtual display, build/screenshot.png is taken once the main window shows, and the
# program is ended.
#   tools/run.sh            (the Makefile builds build/native and the Windows tree first)
# QUILLON_NATIVE, QUILLON_WIN32 and QUILLON_WINEPREFIX choose other trees and another prefix.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
native=${QUILLON_NATIVE:-$root/build/native}
win32=${QUILLON_WIN32:-$root/build/$(bash "$root/tools/windows-tree.sh")}
export QUILLON_WINEPREFIX=${QUILLON_WINEPREFIX:-$root/build/wineprefix}
cli="$native/cli/quillon-catalogue"
program="$win32/shell/quillon.exe"
screenshot="$root/build/screenshot.png"
demo="$root/build/demo-files"

for needed in "$cli" "$program"; do
  [ -x "$needed" ] || [ -f "$needed" ] || { echo "run: $needed is missing; build first" >&2; exit 1; }
done

# Without a display the rest runs on a virtual one, where a screenshot stands in for the user.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env QUILLON_RUN_VIRTUAL=1 bash "$0" "$@"
fi
virtual=${QUILLON_RUN_VIRTUAL:-0}

# The data folder is the user's application-data folder + \Veldmark\Quillon, as Wine has it.
appdata=$(bash "$root/tools/wine-run.sh" cmd /c echo %APPDATA% | tr -d '\r' | tail -n 1)
data=$(bash "$root/tools/wine-run.sh" winepath -u "$appdata" 2>/dev/null | tail -n 1)/Veldmark/Quillon
mkdir -p "$data"

if [ ! -f "$data/data.dat" ]; then
  echo "run: preparing demo data in $data"
  rm -rf "$demo"
  mkdir -p "$demo/notes" "$demo/pictures" "$demo/reports"
  printf 'Agenda\n- budget\n- holidays\n' > "$demo/notes/meeting-notes.txt"
  printf 'milk\nbread\ncoffee\n' > "$demo/notes/shopping-list.txt"
  printf 'Q1;Q2;Q3;Q4\n120;135;128;150\n' > "$demo/reports/budget-2024.csv"
  convert -size 320x200 gradient:'#87CEEB-#F4E3B5' "$demo/pictures/beach.png"
  convert -size 320x200 gradient:'#FFFFFF-#4A6FA5' -fill '#2F4F4F' \
    -draw 'polygon 0,200 110,60 190,150 240,90 320,200' "$demo/pictures/mountains.jpg"
  convert -size 200x200 xc:'#F2C572' -fill '#7A4E2D' -draw 'circle 100,100 100,40' \
    "$demo/pictures/cat.gif"

  "$cli" init "$data"
  "$cli" add "$data" "$demo/notes/meeting-notes.txt" "work notes" --comment "Monday meeting"
  "$cli" add "$data" "$demo/notes/shopping-list.txt" "home"
  "$cli" add "$data" "$demo/reports/budget-2024.csv" "work finance" --comment "Quarterly figures"
  "$cli" add "$data" "$demo/pictures/beach.png" "photo trip" --comment "Summer by the sea"
  "$cli" add "$data" "$demo/pictures/mountains.jpg" "photo trip"
  "$cli" add "$data" "$demo/pictures/cat.gif" "photo pets"
  "$cli" folder "$data" "Holidays" "photo trip" >/dev/null
  "$cli" folder "$data" "Work" "work" >/dev/null
fi
# The help file the Help menu and F1 open; refreshed whenever the pages were rebuilt.
if [ -f "$win32/help.chm" ] && ! cmp -s "$win32/help.chm" "$data/help.chm"; then
  cp "$win32/help.chm" "$data/help.chm"
fi

if [ "$virtual" != 1 ]; then
  echo "run: starting quillon.exe"
  bash "$root/tools/wine-run.sh" "$program"
  exit 0
fi

# On the virtual display: show the program, take a picture of it, end it.
bash "$root/tools/wine-run.sh" "$program" &
program_pid=$!
trap 'kill "$program_pid" 2>/dev/null || true' EXIT
shown=0
for _ in $(seq 600); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Veldmark Quillon"'; then shown=1; break; fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if [ "$shown" -ne 1 ]; then
  echo "run: the main window did not appear" >&2
  exit 1
fi
# The loading thread reports "Ready" within moments of the window showing.
sleep 3
import -window root "$screenshot"
echo "run: screenshot written to $screenshot"

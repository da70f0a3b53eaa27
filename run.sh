#!/usr/bin/env bash
# Shows lindmorh.exe at work under Wine, in the demonstration base
# directory demo/ with the sample family from samples/.
#
#   ./run.sh                  walk through every command, printing each
#                             command string and the exchange file after it
#   ./run.sh COMMAND-STRING   run one command (e.g. 1, 5, 8, "7_notepad")
#
# With a display (DISPLAY set), you answer the dialogs yourself. Without
# one, or with ZIVARARI_SCRIPTED=1, a virtual display is used and
# demo_driver.exe answers as a scripted user, saving pictures of every
# dialog and box in out/.
#
# Installs what is missing (scripts/setup.sh), builds the x64 preset and
# creates the Wine prefix (ZIVARARI_WINEPREFIX, default build/wineprefix).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")" || exit 1
root=$(pwd)

if [ $# -gt 1 ]; then
  echo "usage: ./run.sh [COMMAND-STRING]" >&2
  exit 2
fi

scripts/setup.sh || exit 1

echo "=== building lindmorh.exe (preset x64)"
log=$(mktemp)
if ! { cmake --preset x64 >"$log" 2>&1 && cmake --build --preset x64 >>"$log" 2>&1; }; then
  cat "$log"
  rm -f "$log"
  echo "=== build failed"
  exit 1
fi
rm -f "$log"
build=$root/build/x64

export ZIVARARI_WINEPREFIX=${ZIVARARI_WINEPREFIX:-$root/build/wineprefix}
scripts/wine-prefix.sh "$ZIVARARI_WINEPREFIX" || exit 1
export WINEPREFIX=$ZIVARARI_WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# A person at a display answers; otherwise the scripted user does.
if [ -n "${DISPLAY:-}" ] && [ -z "${ZIVARARI_SCRIPTED:-}" ]; then
  scripted=0
else
  scripted=1
fi

. scripts/display.sh
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  zivarari_display_stop
}
trap cleanup EXIT
zivarari_display_start || exit 1

. scripts/demo.sh
if [ "$scripted" = 1 ]; then
  echo "=== scripted user on display $DISPLAY; pictures go to out/"
else
  echo "=== on display $DISPLAY you answer the dialogs (ZIVARARI_SCRIPTED=1 lets a script do it)"
fi

if [ $# -eq 1 ]; then
  demo_one "$1"
else
  demo_walkthrough
fi

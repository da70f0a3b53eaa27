#!/usr/bin/env bash
# Runs a Windows test program under Wine for CTest: the project's own Wine
# prefix, the display that the test script started, and no Wine chatter.
# Usage: wine-run.sh LOADER PROGRAM [ARGS...]
set -euo pipefail
loader=$1; shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ZIVARARI_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run.sh: no DISPLAY; run the tests through ./test.sh, which starts a virtual one" >&2
  exit 2
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run.sh: no Wine prefix at $WINEPREFIX; run ./scripts/wine-prefix.sh first" >&2
  exit 2
fi
# Wine may start helpers (wineserver, explorer) that outlive the program and
# would hold CTest's output pipe open; they inherit a file instead.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
rc=0
"$loader" "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
exit $rc

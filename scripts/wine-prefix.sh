#!/usr/bin/env bash
# Creates the project's own Wine prefix (32- and 64-bit) if it is missing.
# Usage: scripts/wine-prefix.sh [PREFIX]   (default: build/wineprefix)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${1:-${ZIVARARI_WINEPREFIX:-$here/build/wineprefix}}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$WINEPREFIX/system.reg" ]; then exit 0; fi
mkdir -p "$(dirname "$WINEPREFIX")"
echo "Creating the Wine prefix $WINEPREFIX ..."
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w

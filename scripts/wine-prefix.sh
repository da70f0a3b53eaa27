#!/usr/bin/env bash
# Creates the project's own Wine prefix (32- and 64-bit) if it is missing,
# and lets no window manager manage Wine's windows there.
# Usage: scripts/wine-prefix.sh [PREFIX]   (default: build/wineprefix)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${1:-${ZIVARARI_WINEPREFIX:-$here/build/wineprefix}}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "Creating the Wine prefix $WINEPREFIX ..."
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi
# On a bare X server every window that Wine hides waits 2 s for a window
# manager to confirm it; unmanaged windows need no confirmation.
if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

#!/usr/bin/env bash
# Prints ZivaRari's performance figures, one line per figure, each the
# median of at least 5 runs and, where there is a floor to compare with,
# the ratio to it. Everything runs side by side in this one run under one
# Wine server. It checks nothing.
#
#   start-up       command 8 against a minimal program with one hidden window
#   copy new/over  the program's copy routine on 256 MiB against CopyFile +
#                  flush, onto a new target and over an existing one
#   wait, launch   command 7: processor share of the program and the Wine
#                  server while it waits; delay from the window's end to the
#                  launched program's start
#   size           the stripped lindmorh.exe of each preset and its imports
#
# Usage: scripts/bench.sh [RUNS]   (start-up 11 runs, copies 7, command 7 5;
#                                   RUNS, at least 5, sets them all)
# Environment: ZIVARARI_WINEPREFIX  Wine prefix (default build/wineprefix)
#              ZIVARARI_BENCH_DIR   folder for the copies (default build/bench-data)
#              DISPLAY              used when set; otherwise a virtual one is started
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
runs=${1:-}

scripts/setup.sh || exit 1
export ZIVARARI_WINEPREFIX=${ZIVARARI_WINEPREFIX:-$root/build/wineprefix}
scripts/wine-prefix.sh "$ZIVARARI_WINEPREFIX" || exit 1

log=$(mktemp)
for preset in x64 x86; do
  target=lindmorh
  [ "$preset" = x64 ] && target=benchmarks
  if ! { cmake --preset "$preset" >"$log" 2>&1 && cmake --build --preset "$preset" --target "$target" >>"$log" 2>&1; }; then
    cat "$log"
    rm -f "$log"
    echo "=== $preset: build failed" >&2
    exit 1
  fi
done
rm -f "$log"

# The Linux process of the prefix's Wine server: it works in a folder named
# after the prefix's device and inode.
server_pid() {
  local id p
  id=$(printf 'server-%x-%x' $(stat -c '%d %i' "$ZIVARARI_WINEPREFIX"))
  for p in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
    case "$(readlink "/proc/$p/cwd" 2>/dev/null)" in */"$id") echo "$p"; return 0 ;; esac
  done
  return 1
}

. scripts/display.sh
started_server=""
cleanup() {
  [ -n "$started_server" ] && WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null
  rmdir "$data" 2>/dev/null
  zivarari_display_stop
}
data=${ZIVARARI_BENCH_DIR:-$root/build/bench-data}
trap cleanup EXIT
zivarari_display_start || exit 1
if ! server_pid >/dev/null; then
  WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  started_server=1
  sleep 0.5
fi
server=$(server_pid) || { echo "no Wine server for $ZIVARARI_WINEPREFIX" >&2; exit 1; }

run() { cmake/wine-run.sh /usr/lib/wine/wine64 "$@" | tr -d '\r'; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

mkdir -p "$data"
fs=$(findmnt -n -o FSTYPE,SOURCE -T "$data" 2>/dev/null | awk '{print $1 " (" $2 ")"}')
[ -n "$fs" ] || fs=$(stat -f -c %T "$data")
cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
mem=$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)
os=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME")
echo "machine        $(nproc) cores ($cpu), $mem, $os, Linux $(uname -r), $(/usr/lib/wine/wine64 --version)," \
     "load $(cut -d' ' -f1-3 /proc/loadavg)"

bench=build/x64/bench
run "$bench/startup_bench.exe" ${runs:-11}
run "$bench/copy_bench.exe" "$(winpath "$data")" ${runs:-7} "$fs"
run "$bench/chain_bench.exe" ${runs:-5} "$server"

for preset in x64 x86; do
  exe=build/$preset/lindmorh.exe
  objdump=x86_64-w64-mingw32-objdump
  [ "$preset" = x86 ] && objdump=i686-w64-mingw32-objdump
  imports=$($objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort | paste -sd, - | sed 's/,/, /g')
  printf 'size %-9s lindmorh.exe %s bytes stripped, imports %s\n' "$preset" "$(stat -c %s "$exe")" "$imports"
done

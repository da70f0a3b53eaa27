#!/usr/bin/env bash
# The whole fault sweep: builds lindmorh_faults and its sweep for each
# preset, fails every counted call of every road in turn with
# ERROR_DISK_FULL, ERROR_ACCESS_DENIED and ERROR_SHARING_VIOLATION, and
# prints the table road x error -> calls swept -> runs that held, the calls
# per function of each road, every run that did not hold, and the time.
#
# Usage: scripts/fault-sweep.sh [x64|x86]...      (default: both presets)
# Environment: ZIVARARI_SWEEP_JOBS        runs at a time (default 2)
#              ZIVARARI_SWEEP_TIMEOUT_MS  time one run may take (default 15000)
#              ZIVARARI_WINEPREFIX        Wine prefix (default build/wineprefix)
#              DISPLAY                    used when set; otherwise a virtual one is started
# The full output of each preset is kept in build/<preset>/fault-sweep.log.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(x64 x86)
for preset in "${presets[@]}"; do
  case $preset in
    x64 | x86) ;;
    *)
      echo "usage: $0 [x64|x86]..." >&2
      exit 2
      ;;
  esac
done

scripts/setup.sh || exit 1
export ZIVARARI_WINEPREFIX=${ZIVARARI_WINEPREFIX:-$root/build/wineprefix}
scripts/wine-prefix.sh "$ZIVARARI_WINEPREFIX" || exit 1

. scripts/display.sh
cleanup() {
  WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
  zivarari_display_stop
}
trap cleanup EXIT
zivarari_display_start || exit 1
# One wineserver for the whole sweep, started here with no pipe to inherit.
WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1

export WINEPREFIX=$ZIVARARI_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
summary=()
for preset in "${presets[@]}"; do
  echo "=== $preset: build lindmorh_faults and fault_sweep"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target fault_sweep lindmorh_faults; }; then
    echo "=== $preset: build failed"
    status=1
    continue
  fi
  loader=/usr/lib/wine/wine64
  [ "$preset" = x86 ] && loader=/usr/lib/wine/wine
  log=build/$preset/fault-sweep.log
  echo "=== $preset: sweeping (all roads, three errors; output in $log)"
  start=$(date +%s)
  "$loader" "build/$preset/fault/fault_sweep.exe" --gtest_brief=1 >"$log" 2>&1 </dev/null
  rc=$?
  seconds=$(($(date +%s) - start))
  tr -d '\r' <"$log" >"$log.tmp" && mv "$log.tmp" "$log"
  # The runs that did not hold, then the table and the counts.
  grep -E '^(cmd[0-9]-[a-z]+(, ERROR_| \()|    - )' "$log" || true
  sed -n '/^Fault sweep, /,/^\[==========\]/p' "$log" | grep -v '^\[=' || true
  if [ $rc -ne 0 ]; then
    status=1
    verdict="some runs did not hold"
    grep -q '^Fault sweep, ' "$log" || verdict="the sweep did not finish (exit $rc); see $log"
  else
    verdict="every run held"
  fi
  echo "=== $preset: $verdict; ${seconds} s"
  summary+=("$preset: $verdict, ${seconds} s")
done
echo
printf '%s\n' "${summary[@]}"
exit $status

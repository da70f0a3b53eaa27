#!/usr/bin/env bash
# Builds the 64-bit program with the chain benchmark and runs it under Wine:
# how much processor time command 7 uses while it waits for the titled
# window, and how soon it starts the program after the window has gone.
# Prints the figures; checks nothing.
#
# Usage: scripts/bench-chain.sh [RUNS]          (default 5 runs, medians printed)
# Environment: ZIVARARI_BENCH_BUILD  build directory (default build/x64)
#              ZIVARARI_WINEPREFIX   Wine prefix (default build/wineprefix)
#              DISPLAY               used when set; otherwise a virtual one is started
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
build=${ZIVARARI_BENCH_BUILD:-$root/build/x64}
runs=${1:-5}

scripts/setup.sh || exit 1
export ZIVARARI_WINEPREFIX=${ZIVARARI_WINEPREFIX:-$root/build/wineprefix}
scripts/wine-prefix.sh "$ZIVARARI_WINEPREFIX" || exit 1

echo "=== x64: build chain_bench in $build"
if ! { cmake --preset x64 -B "$build" >/dev/null && cmake --build "$build" --target chain_bench; }; then
  echo "=== build failed" >&2
  exit 1
fi
bench=$build/bench/chain_bench.exe
if [ ! -f "$bench" ]; then
  echo "no $bench: is tests/bench added to tests/CMakeLists.txt?" >&2
  exit 1
fi

. scripts/display.sh
trap zivarari_display_stop EXIT
zivarari_display_start || exit 1

echo "=== x64: chain_bench ($runs runs)"
cmake/wine-run.sh /usr/lib/wine/wine64 "$bench" "$runs" | tr -d '\r'

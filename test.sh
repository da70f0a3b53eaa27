#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit and the 32-bit program with
# their tests, and runs every test of both under Wine.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$(pwd)

scripts/setup.sh || exit 1
export ZIVARARI_WINEPREFIX=${ZIVARARI_WINEPREFIX:-$root/build/wineprefix}
scripts/wine-prefix.sh "$ZIVARARI_WINEPREFIX" || exit 1

. scripts/display.sh
cleanup() {
  scripts/mounts.sh cleanup >/dev/null 2>&1 || true
  WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
  zivarari_display_stop
}
trap cleanup EXIT
zivarari_display_start || exit 1
# A read-only and a full disk for the copy-failure tests (root only; the
# tests that need them are skipped otherwise).
scripts/mounts.sh setup || true
# One wineserver for the whole run, started here rather than by a test.
WINEPREFIX=$ZIVARARI_WINEPREFIX /usr/lib/wine/wineserver -p 2>/dev/null

status=0
passed=0
failed=0
for preset in x64 x86; do
  echo "=== $preset: build"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; }; then
    echo "=== $preset: build failed"
    status=1
    continue
  fi
  # The 32-bit program runs only where the kernel executes 32-bit programs;
  # some kernels are built without that. It is still built and linked then.
  if [ "$preset" = x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "=== x86: built; its tests are skipped: this kernel cannot execute 32-bit programs"
    continue
  fi
  echo "=== $preset: tests"
  log="build/$preset/ctest-summary.log"
  ctest --preset "$preset" -j4 --timeout 300 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  # "100% tests passed, 0 tests failed out of 120"
  line=$(grep -E "tests failed out of [0-9]+" "$log" | tail -n1)
  if [ -z "$line" ]; then
    status=1
    continue
  fi
  f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
done
[ $failed -eq 0 ] || status=1
echo
echo "Total: $passed passed, $failed failed"
exit $status

#!/usr/bin/env bash
# Makes a release: builds the 64-bit and the 32-bit program afresh in
# release form and writes into dist/
#   ZivaRari-<version>-win64.zip, ZivaRari-<version>-win32.zip
#   ZivaRari-<version>-win64-symbols.zip, ZivaRari-<version>-win32-symbols.zip
#   SHA256SUMS
# The archives come from CMake's install rules through CPack (see
# packaging/CMakeLists.txt); the version from project(... VERSION) in
# CMakeLists.txt.
#
# Usage: scripts/release.sh
# Environment: ZIVARARI_RELEASE_BUILD  build directory (default build/release)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
builds=${ZIVARARI_RELEASE_BUILD:-$root/build/release}
dist=$root/dist

scripts/setup.sh

if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "note: the working tree has changes that are not committed; they go into the release" >&2
fi

rm -rf "$dist"
mkdir -p "$dist"
for preset in x64 x86; do
  build=$builds/$preset
  echo "=== $preset: configure and build in $build"
  rm -rf "$build"
  # The preset's compilers and flags, without the tests.
  cmake --preset "$preset" -B "$build" -DZIVARARI_TESTS=OFF >/dev/null
  cmake --build "$build"
  echo "=== $preset: package"
  (cd "$build" && cpack -B "$build/packages" >/dev/null)
  cp "$build"/packages/ZivaRari-*.zip "$dist"/
done

(cd "$dist" && sha256sum ZivaRari-*.zip >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "=== dist/"
(cd "$dist" && ls -l --time-style=+ ZivaRari-*.zip SHA256SUMS | awk '{print "  " $5 "\t" $NF}')

#!/bin/sh
# Prepares or removes the small disks that the copy-failure tests copy
# onto: one that refuses every write and one that is full, and a base
# directory that takes no new file. The tests run inside Wine and cannot
# mount anything themselves; they reach these as
# Z:\tmp\zivarari-mounts\<x64|x86>\ro, ...\full and ...\robase and skip
# when missing.
#
#   scripts/mounts.sh setup     mount them (again), for both presets
#   scripts/mounts.sh cleanup   unmount them and remove the folders
#
# <preset>/ro    tmpfs remounted read-only, holding target.lmy
# <preset>/full  256 KiB tmpfs holding target.lmy and a filler that leaves
#                only a few KiB free
# <preset>/links doc.lmy, a symbolic link to real/doc.lmy (Wine cannot make
#                one itself); no mount, so it is made without root too
# <preset>/robase  tmpfs remounted read-only whose lindmorh.exe and
#                LINDMORY.INI are links into <preset>/robase-files, where the
#                tests install the program and write the exchange file: the
#                program runs from a folder that refuses every new file, yet
#                its exchange file can be written
#
# Mounting needs root. Without it, or when a mount fails, nothing is left
# behind and the script still ends with 0, so a test run goes on.
set -u

base=/tmp/zivarari-mounts
presets="x64 x86"
free_kib=8

say() { echo "mounts.sh: $*" >&2; }

# Known, recognisable content; the tests compare the file before and after.
target_content() {
  printf 'ZivaRari test target: this old document must survive a failed save.\r\n'
  i=0
  while [ $i -lt 40 ]; do
    printf 'line %02d of the old document\r\n' "$i"
    i=$((i + 1))
  done
}

cleanup() {
  [ -d "$base" ] || return 0
  for preset in $presets; do
    for kind in ro full robase; do
      dir=$base/$preset/$kind
      if mountpoint -q "$dir" 2>/dev/null; then
        umount "$dir" 2>/dev/null || umount -l "$dir" 2>/dev/null || say "cannot unmount $dir"
      fi
    done
  done
  rm -rf "$base"
}

setup_ro() {
  dir=$1
  mkdir -p "$dir" &&
    mount -t tmpfs -o size=1m,mode=0755 zivarari-ro "$dir" &&
    target_content >"$dir/target.lmy" &&
    mount -o remount,ro "$dir"
}

setup_robase() {
  dir=$1
  files=$2
  mkdir -p "$dir" "$files" &&
    mount -t tmpfs -o size=64k,mode=0755 zivarari-robase "$dir" &&
    ln -s "$files/lindmorh.exe" "$dir/lindmorh.exe" &&
    ln -s "$files/LINDMORY.INI" "$dir/LINDMORY.INI" &&
    mount -o remount,ro "$dir"
}

setup_full() {
  dir=$1
  mkdir -p "$dir" &&
    mount -t tmpfs -o size=256k,mode=0755 zivarari-full "$dir" &&
    target_content >"$dir/target.lmy" || return 1
  # Fill every block, then give back a few: the disk takes a small file but
  # not a copy of a real document.
  dd if=/dev/zero of="$dir/filler" bs=4096 2>/dev/null
  size=$(stat -c %s "$dir/filler") || return 1
  [ "$size" -gt $((free_kib * 1024)) ] || return 1
  truncate -s $((size - free_kib * 1024)) "$dir/filler"
}

setup_links() {
  dir=$1
  mkdir -p "$dir/real" &&
    : >"$dir/real/doc.lmy" &&
    ln -sfn real/doc.lmy "$dir/doc.lmy"
}

setup() {
  cleanup
  for preset in $presets; do
    setup_links "$base/$preset/links" || say "cannot make the link fixture; the link test skips"
  done
  if [ "$(id -u)" != 0 ]; then
    say "not root: no test mounts (the tests that need them skip)"
    return 0
  fi
  for preset in $presets; do
    if ! setup_ro "$base/$preset/ro" || ! setup_full "$base/$preset/full" ||
      ! setup_robase "$base/$preset/robase" "$base/$preset/robase-files"; then
      say "cannot prepare the test mounts; the tests that need them skip"
      for p in $presets; do
        for kind in ro full robase; do
          mountpoint -q "$base/$p/$kind" 2>/dev/null && umount "$base/$p/$kind" 2>/dev/null
          rm -rf "$base/$p/$kind"
        done
        rm -rf "$base/$p/robase-files"
      done
      return 0
    fi
  done
  df -k "$base"/*/* 2>/dev/null | sed 's/^/mounts.sh: /' >&2
}

case ${1:-} in
  setup) setup ;;
  cleanup) cleanup ;;
  *)
    echo "usage: $0 setup|cleanup" >&2
    exit 2
    ;;
esac
exit 0

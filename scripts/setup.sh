#!/usr/bin/env bash
# Installs what building and testing ZivaRari needs on Debian, if missing:
# the MinGW-w64 cross compilers, 32- and 64-bit Wine, a virtual X server,
# ImageMagick, GoogleTest's sources, CMake and Ninja. Uses sudo when not root.
set -euo pipefail
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
          wine64 wine32:i386 xvfb xauth imagemagick googletest)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then $sudo dpkg --add-architecture i386; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

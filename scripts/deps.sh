#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build and the tests need and the
# machine lacks. Safe to run again: it installs nothing when all is present.
#   scripts/deps.sh [package...]    only these packages (default: everything)
# The scripts call nothing that is not installed here or part of every Debian
# system: xwininfo (x11-utils) waits for the demo's window, xdotool moves the pointer
# and clicks, import (imagemagick) saves screenshots. fonts-wine brings the faces
# that the Wine prefix maps the window's fonts to (scripts/wine/fonts.sh).
set -euo pipefail

packages=("$@")
if ((${#packages[@]} == 0)); then
  packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64
    wine64 fonts-wine xvfb x11-utils xdotool imagemagick python3 debootstrap
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

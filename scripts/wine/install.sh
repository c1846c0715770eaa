#!/usr/bin/env bash
# Installs what the Wine test bed needs and the machine lacks: 64-bit Wine and the
# fonts its prefix uses, the virtual X server and the X tools that wait for, click
# and capture windows, and the x86_64 cross toolchain with GoogleTest's sources.
set -euo pipefail
exec bash "$(dirname "$0")/../deps.sh" wine64 fonts-wine xvfb x11-utils xdotool imagemagick \
  g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 googletest cmake ninja-build

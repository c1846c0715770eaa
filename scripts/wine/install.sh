#!/usr/bin/env bash
# Installs what the Wine test bed needs and the machine lacks: 64-bit Wine, the
# virtual X server, and the x86_64 cross toolchain with GoogleTest's sources.
set -euo pipefail
exec bash "$(dirname "$0")/../deps.sh" wine64 xvfb g++-mingw-w64-x86-64-win32 \
  binutils-mingw-w64-x86-64 googletest cmake ninja-build

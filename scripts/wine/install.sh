#!/usr/bin/env bash
# Installs what the Wine test bed needs and the machine lacks: 64-bit Wine, the
# virtual X server, and the x86_64 cross toolchain with GoogleTest's sources.
set -euo pipefail

packages=(wine64 xvfb g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  cmake ninja-build)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "wine: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

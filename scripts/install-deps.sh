#!/usr/bin/env bash
# Installs every Debian package that the build, the program and the tests need.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  cmake make python3 g++-mingw-w64-i686 libz-mingw-w64-dev googletest
  libjpeg-turbo-progs wine wine32:i386 fonts-wine xvfb x11-apps x11-utils imagemagick
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
fi

if [ "${#missing[@]}" -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

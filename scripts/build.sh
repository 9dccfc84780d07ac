#!/usr/bin/env bash
# Configures and builds Setup.exe, its tools and tests in build/ (cross, i686).
# SETUP_WERROR=ON treats warnings in the project's own code as errors (CI).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-mingw.cmake" \
  -DSETUP_WERROR="${SETUP_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"

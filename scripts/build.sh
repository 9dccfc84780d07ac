#!/usr/bin/env bash
# Configures and builds Setup.exe, its tools and tests in build/ (cross, i686).
# SETUP_WERROR=ON treats warnings in the project's own code as errors (CI).
# With PRODUCT_DIR set, Setup.exe carries the files of that folder (laid out as
# the installed tree) instead of the generated stand-ins.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
product="${PRODUCT_DIR:-}"
if [ -n "$product" ] && [ "${product#/}" = "$product" ]; then
  product="$PWD/$product"
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-mingw.cmake" \
  -DSETUP_WERROR="${SETUP_WERROR:-OFF}" -DPRODUCT_DIR="$product" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"

#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite
# under Wine (ctest starts and stops the test bed itself).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure

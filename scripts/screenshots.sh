#!/usr/bin/env bash
# Takes the README's pictures of the pages from the real program: every page
# at 800 x 600 and the title page at 1024 x 768 and 640 x 480, into
# docs/screenshots/. Run it again whenever a page changes, and commit them.
# It uses the build's test bed (its own Xvfb and wineserver), so it needs no
# display; it stops a test bed of the same build that is still up.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$root/docs/screenshots"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --target Setup gallery

export WINEPREFIX="$build/wineprefix" TESTBED_DIR="$build/testbed"
trap '"$root/tests/testbed.sh" stop' EXIT
"$root/tests/testbed.sh" start
mkdir -p "$out"
"$build/wine-run.sh" "$build/tests/gallery.exe" "$out"
echo "Pictures of the pages are in $out"

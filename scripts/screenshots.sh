#!/usr/bin/env bash
# Takes the README's pictures of the pages from the real program: every page
# at 800 x 600 and the title page at 1024 x 768 and 640 x 480, into
# docs/screenshots/. Run it again whenever a page changes, and commit them.
# It runs on a test bed of its own (Xvfb and wineserver) with a fresh Wine
# prefix in build/gallery, made anew on every run, so it needs no display and
# the folder browser shows the folders of a new prefix, not what the tests or
# an earlier run left there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$root/docs/screenshots"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --target Setup gallery

export WINEPREFIX="$build/gallery/wineprefix" TESTBED_DIR="$build/gallery/testbed"
"$root/tests/testbed.sh" stop
rm -rf "$build/gallery"
mkdir -p "$TESTBED_DIR" "$out"
trap '"$root/tests/testbed.sh" stop' EXIT
"$root/tests/testbed.sh" start
DISPLAY="$(cat "$TESTBED_DIR/display")" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d" LC_ALL=C.UTF-8 \
  wine "$build/tests/gallery.exe" "$out" </dev/null
echo "Pictures of the pages are in $out"

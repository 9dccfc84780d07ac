#!/usr/bin/env bash
# Installs what is needed, builds Setup.exe and starts it under Wine.
# With a display it runs there. Without one it runs on the build's test bed
# (a private Xvfb), waits for the title page, leaves a picture of it in
# build/screenshots/ and ends the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"

if [ -n "${DISPLAY:-}" ]; then
  "$root/scripts/build.sh" --target Setup
  # The test bed's locale (see tests/testbed.sh), so that folders named with
  # non-ASCII characters can be made.
  export WINEPREFIX="$build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 </dev/null
  "$root/scripts/wine-fonts.sh" "$WINEPREFIX"
  echo "Starting $build/Setup.exe on display $DISPLAY"
  exec wine "$build/Setup.exe"
fi

# The gallery program starts Setup.exe on the test bed's 1024 x 768 desktop
# and returns once the title page is there and its picture is taken.
"$root/scripts/build.sh" --target Setup gallery
export WINEPREFIX="$build/wineprefix" TESTBED_DIR="$build/testbed"
trap '"$root/tests/testbed.sh" stop' EXIT
"$root/tests/testbed.sh" start >/dev/null
mkdir -p "$build/screenshots"
shot="$build/screenshots/first-page.png"
"$build/wine-run.sh" "$build/tests/gallery.exe" --title "$shot"
echo "Setup.exe ran on a private display; picture of its title page: $shot"
echo "To walk the pages, run scripts/run.sh where a display is set (DISPLAY),"
echo "or see every page in docs/screenshots/ (scripts/screenshots.sh makes them)."

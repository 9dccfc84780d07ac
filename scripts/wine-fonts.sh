#!/usr/bin/env bash
# Gives a Wine prefix the fonts that the pages are drawn with:
#   wine-fonts.sh PREFIX
#
# Wine draws the caption buttons (minimise, maximise, close) as the letters
# "0", "1" and "r" of Marlett. Debian's Wine 8 looks for its own fonts in
# <data dir>/../fonts, that is /usr/share/fonts itself, while the fonts-wine
# package puts them in /usr/share/wine/fonts; so a fresh prefix has no
# Marlett and the buttons show the bare letters. A prefix's C:\windows\Fonts
# is always read, as on Windows. The other faces are left out on purpose:
# Wine's bitmap "MS Sans Serif" would replace the scalable face that the
# pages' texts are drawn in. A font already there is left alone.
#
# Wine 10 finds its own fonts, and the prefix's list of fonts names that
# bitmap "MS Sans Serif" (sserife.fon), which has three heights only: the
# title page's large italic labels would shrink to an upright 12 points. So
# the prefix's list names no "MS Sans Serif", and Wine draws the face as Wine
# 8 does, in the scalable Liberation Sans. That is done once, while no
# wineserver of the prefix runs (the test bed's prefix step, run.sh before it
# starts the program).
set -eu
prefix="${1:?usage: wine-fonts.sh PREFIX}"
source="${WINE_FONTS_DIR:-/usr/share/wine/fonts}/marlett.ttf"
target="$prefix/drive_c/windows/Fonts"
[ -f "$source" ] || { echo "wine-fonts.sh: $source is missing (package fonts-wine)" >&2; exit 1; }
mkdir -p "$target"
[ -f "$target/marlett.ttf" ] || cp "$source" "$target/"

unlisted="$prefix/.no-bitmap-sans-serif"
if [ ! -f "$unlisted" ]; then
  reg="$prefix/fonts.reg"
  {
    printf 'REGEDIT4\r\n'
    for key in 'Windows NT' 'Windows'; do
      printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\%s\\CurrentVersion\\Fonts]\r\n"MS Sans Serif"=-\r\n' "$key"
    done
  } >"$reg"
  WINEPREFIX="$prefix" WINEDEBUG=-all wine regedit /S "$reg" >/dev/null 2>&1 </dev/null
  WINEPREFIX="$prefix" wineserver -w
  rm -f "$reg"
  touch "$unlisted"
fi

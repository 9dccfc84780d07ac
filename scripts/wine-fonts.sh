#!/usr/bin/env bash
# Puts Wine's Marlett font into the Fonts folder of a Wine prefix:
#   wine-fonts.sh PREFIX
#
# Wine draws the caption buttons (minimise, maximise, close) as the letters
# "0", "1" and "r" of Marlett. Debian's Wine 8 looks for its own fonts in
# <data dir>/../fonts, that is /usr/share/fonts itself, while the fonts-wine
# package puts them in /usr/share/wine/fonts; so a fresh prefix has no
# Marlett and the buttons show the bare letters. A prefix's C:\windows\Fonts
# is always read, as on Windows. The other faces are left out on purpose:
# Wine's bitmap "MS Sans Serif" would replace the scalable face that the
# pages' large texts are drawn in today. A font already there is left alone.
set -eu
prefix="${1:?usage: wine-fonts.sh PREFIX}"
source="${WINE_FONTS_DIR:-/usr/share/wine/fonts}/marlett.ttf"
target="$prefix/drive_c/windows/Fonts"
[ -f "$source" ] || { echo "wine-fonts.sh: $source is missing (package fonts-wine)" >&2; exit 1; }
mkdir -p "$target"
[ -f "$target/marlett.ttf" ] || cp "$source" "$target/"

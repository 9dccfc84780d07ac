#!/usr/bin/env bash
# Builds Setup.exe twice from clean clones of the committed HEAD, one after the
# other, in two temporary folders of different depth and under different time
# zones and umasks, and compares the two byte for byte. Prints the sha256 of
# each; the exit status is non-zero when they differ or a build fails.
# Uncommitted changes are not part of the check. Everything it makes is
# removed at the end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
head="$(git -C "$root" rev-parse HEAD)"
work="$(mktemp -d "${TMPDIR:-/tmp}/reproducible.XXXXXX")"

cleanup() {
  # The packing step leaves a wineserver per prefix for a few seconds.
  for prefix in "$work"/*/build/wineprefix "$work"/*/*/*/*/build/wineprefix; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -w 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

# build DIR TZ UMASK: a clone of HEAD in DIR, Setup.exe built in DIR/build.
build() {
  local dir="$1"
  mkdir -p "$(dirname "$dir")"
  git clone -q --no-local "$root" "$dir"
  git -C "$dir" checkout -q --detach "$head"
  if ! (umask "$3" && TZ="$2" BUILD_DIR="$dir/build" "$dir/scripts/build.sh" --target Setup) \
    >"$work/build.log" 2>&1; then
    tail -n 20 "$work/build.log" >&2
    echo "check-reproducible.sh: the build in $dir failed" >&2
    exit 1
  fi
}

build "$work/a" UTC 022
build "$work/b/second/deeper/tree" Pacific/Kiritimati 002
first="$work/a/build/Setup.exe" second="$work/b/second/deeper/tree/build/Setup.exe"
sha256sum "$first" "$second" | sed "s|$work/||"
if cmp "$first" "$second"; then
  echo "Setup.exe of ${head:0:12} is reproducible"
else
  echo "check-reproducible.sh: the two builds of ${head:0:12} differ" >&2
  exit 1
fi

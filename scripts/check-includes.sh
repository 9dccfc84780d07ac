#!/usr/bin/env bash
# Checks that the dependencies of the setup program's folders run one way, as
# its libraries are linked (CMakeLists.txt): each folder's files include
# headers of the folders its line allows, and of no other folder of the
# project. Prints every include that crosses the lines and exits 1 when
# there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders whose headers it may include (its own is always allowed)
rules=(
  "win32:"
  "install:win32 resources"
  "forms:win32"
  "shell:win32 install resources"
  "controls:win32 forms install"
  "app:win32 forms install shell controls pages resources"
  "pages:win32 forms install shell controls app resources"
  "resources:"
)
folders="win32 install forms shell controls app pages resources tests bench"

violations=0
files=0
for rule in "${rules[@]}"; do
  folder="${rule%%:*}"
  allowed=" $folder ${rule#*:} "
  for file in "$folder"/*.cpp "$folder"/*.h "$folder"/*.rc; do
    [ -e "$file" ] || continue
    files=$((files + 1))
    while IFS= read -r line; do
      header="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"${line#*:}")"
      top="${header%%/*}"
      # A header named without a folder is one of the file's own folder.
      [ "$top" = "$header" ] && continue
      if [[ " $folders " == *" $top "* && "$allowed" != *" $top "* ]]; then
        echo "$file:${line%%:*}: includes $header ($folder/ may not depend on $top/)"
        violations=$((violations + 1))
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  done
done

if [ "$violations" -gt 0 ]; then
  echo "$violations include(s) cross the dependency lines"
  exit 1
fi
echo "include rules hold: $files files of ${rules[*]%%:*} checked"

#!/usr/bin/env bash
# Checks that the dependencies of the setup program's folders run one way:
# the user interface (app/, pages/) above controls/, install/ and shell/,
# those above the form layer (forms/, for the user-interface side only) and
# the neutral Win32 holders (win32/). Prints every include that crosses the
# lines and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder:  folders whose headers it may not include (exceptions after "!")
rules=(
  "win32:app pages controls install shell forms"
  "forms:app pages controls install shell"
  "install:app pages controls shell forms"
  "shell:app controls forms pages!pages/Extensions.h"
  "controls:app pages shell"
)

violations=0
files=0
for rule in "${rules[@]}"; do
  folder="${rule%%:*}"
  rest="${rule#*:}"
  allowed=""
  [[ "$rest" == *"!"* ]] && allowed="${rest#*!}" && rest="${rest%%!*}"
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    files=$((files + 1))
    while IFS= read -r line; do
      header="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"${line#*:}")"
      for forbidden in $rest; do
        if [[ "$header" == "$forbidden/"* && " $allowed " != *" $header "* ]]; then
          echo "$file:${line%%:*}: includes $header ($folder/ may not depend on $forbidden/)"
          violations=$((violations + 1))
        fi
      done
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  done
done

if [ "$violations" -gt 0 ]; then
  echo "$violations include(s) cross the dependency lines"
  exit 1
fi
echo "include rules hold: $files files of win32/, forms/, install/, shell/ and controls/ checked"

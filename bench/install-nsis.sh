#!/usr/bin/env bash
# Set-up step of the NSIS comparison (bench_nsis): installs Debian's nsis
# package (makensis, a native Linux program) when makensis is missing. Only
# that benchmark needs it; the build and the tests never do.
set -euo pipefail
command -v makensis >/dev/null && exit 0
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq nsis

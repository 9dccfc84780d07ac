#!/usr/bin/env bash
# Installs every Debian package that the build, the program and the tests need.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  cmake make python3 g++-mingw-w64-i686 libz-mingw-w64-dev googletest
  libjpeg-turbo-progs wine wine32:i386 fonts-wine fonts-liberation xvfb x11-apps x11-utils imagemagick
  osslsigncode openssl git
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
fi

if [ "${#missing[@]}" -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# Wine's loader and server for 32-bit programs are 32-bit Linux programs.
# Some kernels run with 32-bit emulation switched off; there they run under
# qemu's user-mode emulator, registered for 32-bit x86 programs through
# binfmt_misc. Wine needs qemu 9 or later (earlier ones do not honour
# MAP_FIXED_NOREPLACE, with which Wine reserves its address ranges). Trixie's
# own emulator is new enough; bookworm's 7.2 is not, so there it comes from
# the release's backports suite, on the mirror that the machine's apt sources
# already name for the release.
runs_32bit() {
  # A 32-bit static program of 96 bytes that exits with status 42.
  local probe
  probe="$(mktemp)"
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
  printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
  printf '\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000' >>"$probe"
  printf '\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >>"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

qemu_new_enough() {
  [[ "$(qemu-i386-static --version 2>/dev/null | head -n 1)" =~ version\ (9|[1-9][0-9])\. ]]
}

# add_backports RELEASE: RELEASE-backports on the mirror of the machine's own
# deb entry for RELEASE, as apt reads its sources (deb822 or one-line), unless
# a source names that suite already.
add_backports() {
  local release="$1" uri
  local targets='$(REPO_URI) $(TARGET_OF) $(RELEASE) $(CODENAME)'
  if apt-get indextargets --format "$targets" | awk -v suite="$release-backports" '$2 == "deb" && $3 == suite { found = 1 } END { exit !found }'; then
    return 0
  fi
  uri="$(apt-get indextargets --format "$targets" | awk -v release="$release" '$2 == "deb" && ($3 == release || $4 == release) { print $1; exit }')"
  if [ -z "$uri" ]; then
    echo "install-deps: no apt source names $release, whose mirror $release-backports would come from" >&2
    exit 1
  fi
  printf '%s\n' 'Types: deb' "URIs: $uri" "Suites: $release-backports" \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    "${sudo_cmd[@]}" tee "/etc/apt/sources.list.d/$release-backports.sources" >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
}

if ! runs_32bit; then
  if ! qemu_new_enough; then
    "${sudo_cmd[@]}" apt-get update -qq
    qemu=qemu-user-static
    candidate="$(apt-cache policy "$qemu" | sed -n 's/^ *Candidate: //p')"
    if ! dpkg --compare-versions "$candidate" ge 1:9 2>/dev/null; then
      release="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
      [ -n "$release" ] || { echo "install-deps: /etc/os-release names no release" >&2; exit 1; }
      add_backports "$release"
      # The emulator and the packages it needs of the same version from
      # backports; everything else stays the release's.
      qemu="$qemu/$release-backports"
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$qemu"
    qemu_new_enough || { echo "install-deps: qemu-i386-static 9 or later could not be installed" >&2; exit 1; }
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  [ -e "$binfmt/qemu-i386" ] && echo -1 | "${sudo_cmd[@]}" tee "$binfmt/qemu-i386" >/dev/null
  # 32-bit x86 ELF programs (executable or position independent); F keeps the
  # emulator open, so it is found inside any root.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
    "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
  runs_32bit || { echo "install-deps: 32-bit programs still cannot run on this kernel" >&2; exit 1; }
fi

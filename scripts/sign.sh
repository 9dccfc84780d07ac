#!/usr/bin/env bash
# Signs a Windows program with Authenticode (SHA-256) from a PEM certificate
# and an unencrypted PEM private key:
#
#   scripts/sign.sh [-t URL] CERT KEY IN OUT
#
# -t URL adds an RFC 3161 time stamp from that server; when the server cannot
# be reached, nothing is signed. Every refusal is one line on stderr, a
# non-zero exit, and no OUT: a copy signed earlier is removed, so that a
# failed run never leaves something that looks like its result.
set -euo pipefail

out=""
fail() {
  echo "sign.sh: $*" >&2
  [ -z "$out" ] || rm -f -- "$out"
  exit 1
}

timestamp=()
while getopts "t:" option; do
  case "$option" in
    t) timestamp=(-ts "$OPTARG") ;;
    *) fail "usage: sign.sh [-t URL] CERT KEY IN OUT" ;;
  esac
done
shift $((OPTIND - 1))
[ $# -eq 4 ] || fail "usage: sign.sh [-t URL] CERT KEY IN OUT"
cert="$1" key="$2" in="$3"
[ "$(realpath -m -- "$in")" != "$(realpath -m -- "$4")" ] && ! [ "$in" -ef "$4" ] ||
  fail "the signed copy $4 would overwrite the program $in"
out="$4"

command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (scripts/install-deps.sh installs it)"
[ -f "$cert" ] && [ -r "$cert" ] || fail "cannot read the certificate $cert"
[ -f "$key" ] && [ -r "$key" ] || fail "cannot read the private key $key"
[ -f "$in" ] && [ -r "$in" ] || fail "cannot read the program to sign $in"

cert_key="$(openssl x509 -in "$cert" -noout -pubkey 2>/dev/null)" ||
  fail "$cert is not a PEM certificate"
own_key="$(openssl pkey -in "$key" -passin pass: -pubout 2>/dev/null)" ||
  fail "$key is not an unencrypted PEM private key"
[ "$cert_key" = "$own_key" ] || fail "the key $key does not belong to the certificate $cert"

# Signed into a folder beside OUT, moved into place only when it worked.
outdir="$(dirname -- "$out")"
[ -d "$outdir" ] || fail "no folder $outdir for the signed copy"
work="$(mktemp -d "$outdir/.sign.XXXXXX")" || fail "cannot write into $outdir"
trap 'rm -rf "$work"' EXIT
if ! osslsigncode sign -certs "$cert" -key "$key" -h sha256 -n "Vantorelle Setup" "${timestamp[@]}" \
  -in "$in" -out "$work/signed" >"$work/log" 2>&1; then
  reason="$(grep -v '^\s*$' "$work/log" | tail -n 1)"
  if [ "${#timestamp[@]}" -gt 0 ]; then
    fail "no time stamp from ${timestamp[1]}, nothing signed: $reason"
  fi
  fail "osslsigncode could not sign $in: $reason"
fi
mv -f "$work/signed" "$out"

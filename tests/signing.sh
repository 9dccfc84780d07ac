#!/usr/bin/env bash
# The signing path with a throwaway self-signed code-signing certificate:
#
#   signing.sh refusals SETUP_EXE WORKDIR   bad input is refused, with no output left
#   signing.sh sign SETUP_EXE OUTDIR        OUTDIR/Setup.exe signed and verified
set -euo pipefail
sign="$(cd "$(dirname "$0")/.." && pwd)/scripts/sign.sh"
mode="$1" setup="$2" dir="$3"
rm -rf "$dir"
mkdir -p "$dir"

# A certificate and key in $1 (cert.pem, key.pem) valid for a day.
make_certificate() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Vantorelle Test Publisher" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$1/key.pem" -out "$1/cert.pem" 2>/dev/null
}

failures=0
# refused DESCRIPTION OUT ARGS...: sign.sh must fail with one line on stderr
# and leave no OUT, or OUT unchanged when it is the program itself.
refused() {
  local what="$1" out="$2" before=""
  shift 2
  [ "$out" = "$dir/Setup.exe" ] && before="$(sha256sum <"$out")"
  if "$sign" "$@" >"$dir/stdout" 2>"$dir/stderr"; then
    echo "FAIL $what: accepted"
    failures=$((failures + 1))
    return
  fi
  local lines after=""
  lines="$(wc -l <"$dir/stderr")"
  [ -f "$out" ] && after="$(sha256sum <"$out")"
  if [ "$lines" -ne 1 ] || [ -s "$dir/stdout" ] || [ "$before" != "$after" ] ||
    ls -A "$(dirname "$out")" | grep -q '^\.sign\.'; then
    echo "FAIL $what: $lines lines on stderr, output ${after:-absent}, before ${before:-absent}"
    cat "$dir/stderr"
    failures=$((failures + 1))
  else
    echo "ok   $what: $(cat "$dir/stderr")"
  fi
}

case "$mode" in
  refusals)
    mkdir "$dir/own" "$dir/other"
    make_certificate "$dir/own"
    make_certificate "$dir/other"
    cert="$dir/own/cert.pem" key="$dir/own/key.pem" out="$dir/Signed.exe"
    cp "$setup" "$dir/Setup.exe"
    cp "$key" "$dir/locked.pem"
    chmod 000 "$dir/locked.pem"
    refused "missing certificate" "$out" "$dir/none.pem" "$key" "$setup" "$out"
    refused "missing key" "$out" "$cert" "$dir/none.pem" "$setup" "$out"
    # root reads files without read permission, so only others see this one.
    if [ "$(id -u)" -ne 0 ]; then
      refused "unreadable key" "$out" "$cert" "$dir/locked.pem" "$setup" "$out"
    fi
    refused "certificate that is a folder" "$out" "$dir/own" "$key" "$setup" "$out"
    refused "key given as certificate" "$out" "$key" "$key" "$setup" "$out"
    refused "certificate given as key" "$out" "$cert" "$cert" "$setup" "$out"
    echo "signed earlier" >"$out"
    refused "key of another certificate" "$out" "$cert" "$dir/other/key.pem" "$setup" "$out"
    refused "missing program" "$out" "$cert" "$key" "$dir/none.exe" "$out"
    refused "output equal to input" "$dir/Setup.exe" "$cert" "$key" "$dir/Setup.exe" "$dir/Setup.exe"
    refused "output equal to input by another path" "$dir/Setup.exe" \
      "$cert" "$key" "$dir/Setup.exe" "$dir/own/../Setup.exe"
    refused "unreachable time-stamp server" "$out" -t http://127.0.0.1:9/ "$cert" "$key" "$setup" "$out"
    refused "missing operand" "$out" "$cert" "$key" "$setup"
    [ "$failures" -eq 0 ]
    ;;
  sign)
    make_certificate "$dir"
    "$sign" "$dir/cert.pem" "$dir/key.pem" "$setup" "$dir/Setup.exe"
    osslsigncode verify -CAfile "$dir/cert.pem" -in "$dir/Setup.exe" | tee "$dir/verify.log"
    grep -q "Message digest algorithm  : SHA256" "$dir/verify.log"
    grep -q "Signature verification: ok" "$dir/verify.log"
    ! osslsigncode verify -CAfile "$dir/cert.pem" -in "$setup" >/dev/null 2>&1
    ;;
  *)
    echo "usage: signing.sh refusals|sign SETUP_EXE DIR" >&2
    exit 2
    ;;
esac

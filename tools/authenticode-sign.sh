#!/usr/bin/env bash
# Usage: authenticode-sign.sh IN OUT   (SIGN_PFX and SIGN_PASSWORD_FILE set; SIGN_TIMESTAMP_URL
# optional)
# Writes OUT, a copy of the PE file or MSI IN with an Authenticode SHA-256 signature made with
# the certificate and key in the PKCS#12 file SIGN_PFX, whose password is the first line of
# SIGN_PASSWORD_FILE. With SIGN_TIMESTAMP_URL the signature is countersigned there (RFC 3161),
# so that it stays valid after the certificate expires. An MSI also gets the extended signature
# (MsiDigitalSignatureEx), which covers its streams' metadata as well; PE files have no such part.
set -euo pipefail
in=${1:?usage: authenticode-sign.sh IN OUT}
out=${2:?usage: authenticode-sign.sh IN OUT}
: "${SIGN_PFX:?SIGN_PFX must name the PKCS#12 certificate file}"
: "${SIGN_PASSWORD_FILE:?SIGN_PASSWORD_FILE must name the file holding its password}"
for f in "$SIGN_PFX" "$SIGN_PASSWORD_FILE"; do
  [ -r "$f" ] || { echo "authenticode-sign: cannot read $f" >&2; exit 1; }
done
timestamp=()
[ -n "${SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$SIGN_TIMESTAMP_URL")
rm -f "$out"
osslsigncode sign -pkcs12 "$SIGN_PFX" -readpass "$SIGN_PASSWORD_FILE" -h sha256 -add-msi-dse \
  -n "Slide Screen Saver" "${timestamp[@]}" -in "$in" -out "$out" >/dev/null ||
  { echo "authenticode-sign: osslsigncode could not sign $in" >&2; exit 1; }

#!/usr/bin/env bash
# Usage: install_test.sh SLIDE_SCR ICON   (inside tools/with-wine-display.sh, in a prefix of its own)
# Two releases made by tools/make-dist.sh: this one, unsigned, and the next one (the major
# version plus one, from a copy of the tree) signed with a throwaway certificate. Checks their
# manifests and signatures, then installs the first silently, runs the saver from the system
# folder, upgrades to the second, is refused the first again, and removes the second.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/../stress/saver_run.sh"
scr=$(realpath "${1:?usage: install_test.sh SLIDE_SCR ICON}")
icon=$(realpath "${2:?usage: install_test.sh SLIDE_SCR ICON}")
work=$(mktemp -d)
settings='HKCU\Software\ORVANTE\Pelmira ScreenSaver\Slide'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed="$WINEPREFIX/drive_c/windows/system32/slide.scr"
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }
trap 'wine reg delete "$settings" /f >/dev/null 2>&1; rm -rf "$work"' EXIT

# release DIR: makes a release into DIR from the tree its make-dist.sh lies in; sets msi,
# code (the product code) and msi_version.
release() {
  local make_dist=$1 dir=$2
  "$make_dist" "$scr" "$icon" "$dir" > "$dir.log" 2>&1 || { cat "$dir.log"; fail "make-dist.sh failed"; }
  msi=$(ls "$dir"/slide-*-x64.msi)
  code=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')
  msi_version=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')
}
# entry_value CODE NAME: the value NAME of the product's uninstall entry, empty without one.
entry_value() {
  wine reg query "$uninstall\\$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# product_icon CODE: the icon Windows Installer keeps for the product's entry, as a Unix path.
product_icon() {
  local path
  path=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *ProductIcon *REG_SZ *\(.*$1.*\)/\1/p")
  [ -n "$path" ] && winepath -u "$path" 2>/dev/null
}
entry_count() { wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | grep -c 'DisplayName.*Slide Screen Saver'; }

version=$(head -n 1 "$root/VERSION")
next_version=$(( ${version%%.*} + 1 )).0
mkdir -p "$work/tree"
cp -r "$root/tools" "$root/packaging" "$work/tree/"
echo "$next_version" > "$work/tree/VERSION"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 1 \
  -subj "/CN=Slide throwaway test signer" -addext extendedKeyUsage=codeSigning >/dev/null 2>&1 &&
  echo "throwaway $RANDOM" > "$work/password" &&
  openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
    -passout "file:$work/password" || fail "openssl could not make a throwaway certificate"

release "$root/tools/make-dist.sh" "$work/first"
grep -q '^make-dist: no certificate given.*unsigned$' "$work/first.log" || fail "an unsigned release does not say so"
first_msi=$msi first_code=$code first_msi_version=$msi_version
SIGN_PFX="$work/cert.pfx" SIGN_PASSWORD_FILE="$work/password" release "$work/tree/tools/make-dist.sh" "$work/next"
next_msi=$msi next_code=$code next_msi_version=$msi_version
[ "$first_code" != "$next_code" ] || fail "both versions carry the product code $first_code"
mkdir "$work/next/unpacked"
(cd "$work/next/unpacked" && cmake -E tar xf "../slide-$next_version.zip" && sha256sum -c --quiet SHA256SUMS) ||
  fail "the signed archive's SHA256SUMS does not match its files"
cmp -s "$work/next/unpacked/$(basename "$next_msi")" "$next_msi" || fail "the archive's MSI is not the one beside it"
signed_scr=$work/next/unpacked/slide.scr

# Signatures: both signed files verify against the throwaway certificate, the unsigned ones carry none.
for f in "$signed_scr" "$next_msi"; do
  echo "osslsigncode verify $(basename "$f"):"
  osslsigncode verify -CAfile "$work/cert.pem" -in "$f" > "$work/verify.txt" 2>&1 ||
    { cat "$work/verify.txt"; fail "no valid signature on $(basename "$f")"; }
  grep -E '^(Current|Calculated) |^Signature verification|Subject:|^Succeeded' "$work/verify.txt" |
    awk '!seen[$0]++ { sub(/^[ \t]+/, ""); print "  " $0 }'
done
for f in "$scr" "$first_msi"; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >/dev/null 2>&1 && fail "$(basename "$f") of the unsigned release verifies"
done

# Manifests: every field the schema requires, one version throughout, the MSI's hash and code.
msi_sha256=$(sha256sum "$next_msi" | cut -c1-64)
manifests="$work/next/winget/SlideTeam.SlideScreenSaver"
while read -r file fields; do
  [ -f "$manifests$file" ] || fail "no manifest SlideTeam.SlideScreenSaver$file"
  for field in $fields; do
    key=${field%%=*}
    value=$(sed -n "s/^ *-\{0,1\} *$key: *//p" "$manifests$file" | tr -d '"')
    [ -n "$value" ] || fail "SlideTeam.SlideScreenSaver$file has no $key"
    [[ $field != *=* || $value == "${field#*=}" ]] || fail "SlideTeam.SlideScreenSaver$file: $key is '$value', not '${field#*=}'"
  done
done <<FIELDS
.yaml PackageIdentifier=SlideTeam.SlideScreenSaver PackageVersion=$next_version DefaultLocale=en-US ManifestType=version ManifestVersion=1.9.0
.installer.yaml PackageIdentifier=SlideTeam.SlideScreenSaver PackageVersion=$next_version InstallerType=msi Scope=machine Architecture=x64 ProductCode=$next_code InstallerSha256=$msi_sha256 InstallerUrl ManifestType=installer ManifestVersion=1.9.0
.locale.en-US.yaml PackageIdentifier=SlideTeam.SlideScreenSaver PackageVersion=$next_version PackageLocale=en-US Publisher PackageName License ShortDescription ManifestType=defaultLocale ManifestVersion=1.9.0
FIELDS
echo "manifests: every required field, version $next_version, the MSI's SHA-256 $msi_sha256 and product code $next_code"

# A run left over from an interrupted test would stand in the way.
msiexec /x "$first_code" /qn
msiexec /x "$next_code" /qn
wine reg add "$settings" /v Wait /t REG_DWORD /d 123 /f >/dev/null 2>&1 || fail "the settings key could not be written"

msiexec /i "$(winepath -w "$first_msi")" /qn
status=$?
echo "install $version: msiexec /i $(basename "$first_msi") /qn exited $status"
[ "$status" = 0 ] || fail "the silent install failed"
cmp -s "$installed" "$scr" || fail "system32\\slide.scr is not the built file"
[ "$(entry_value "$first_code" DisplayVersion)" = "$first_msi_version" ] ||
  fail "the uninstall entry's version is '$(entry_value "$first_code" DisplayVersion)', not $first_msi_version"
cmp -s "$(product_icon "$first_code")" "$icon" || fail "the entry's icon is not the saver's"
echo "  entry $first_code: $(entry_value "$first_code" DisplayName), $(entry_value "$first_code" DisplayVersion), $(entry_value "$first_code" Publisher), the saver's icon"

# run_installed: the saver started from the system folder runs and a key ends it with 0.
run_installed() {
  local i
  start_saver "$work/saver.log" 'C:\windows\system32\slide.scr' /s
  for i in $(seq 1 40); do
    sleep 0.5
    kill -0 "$saver_pid" 2>/dev/null || { cat "$work/saver.log"; fail "the installed saver ended by itself"; }
    xdotool search --name '^Screen Saver$' >/dev/null 2>&1 && break
  done
  [ "$i" -lt 40 ] || { end_saver; fail "the installed saver showed no window within 20 s"; }
  sleep 1
  xdotool key space
  wait_saver 10 || { end_saver; fail "a key did not end the installed saver"; }
  [ "$saver_code" = 0 ] || fail "the installed saver ended with $saver_code after a key"
  echo "  system32\\slide.scr /s ran and ended with 0 on a key"
}
run_installed

msiexec /i "$(winepath -w "$next_msi")" /qn
status=$?
echo "upgrade to $next_version: msiexec /i $(basename "$next_msi") /qn exited $status"
[ "$status" = 0 ] || fail "the upgrade failed"
cmp -s "$installed" "$signed_scr" || fail "system32\\slide.scr is not the signed file of the upgrade"
[ "$(entry_value "$next_code" DisplayVersion)" = "$next_msi_version" ] || fail "no entry for $next_msi_version"
[ -z "$(entry_value "$first_code" DisplayName)" ] || fail "the entry of $version stayed"
[ "$(entry_count)" = 1 ] || fail "$(entry_count) entries named Slide Screen Saver"
echo "  one entry, $next_code: $(entry_value "$next_code" DisplayVersion); system32\\slide.scr is the signed file"
run_installed

msiexec /i "$(winepath -w "$first_msi")" /qn
status=$?
echo "install $version over $next_version: msiexec /i $(basename "$first_msi") /qn exited $status"
# Refused as a failed installation, 1603; Wine's exit status keeps its low 8 bits.
[ "$status" = $((1603 % 256)) ] || fail "the older version over the newer one gave $status, not 1603"
cmp -s "$installed" "$signed_scr" && [ "$(entry_count)" = 1 ] || fail "the refused downgrade changed the installation"

msiexec /x "$(winepath -w "$next_msi")" /qn
status=$?
echo "remove: msiexec /x $(basename "$next_msi") /qn exited $status"
[ "$status" = 0 ] || fail "the silent removal failed"
[ ! -e "$installed" ] || fail "system32\\slide.scr is still there"
[ "$(entry_count)" = 0 ] || fail "the uninstall entry is still there"
wait_value=$(wine reg query "$settings" /v Wait 2>/dev/null | tr -d '\r' | sed -n 's/^ *Wait *REG_DWORD *//p')
[ "$wait_value" = 0x7b ] || fail "the settings key lost its value: Wait is '$wait_value'"
echo "  system32\\slide.scr and the entry are gone; the settings key keeps Wait = $wait_value"

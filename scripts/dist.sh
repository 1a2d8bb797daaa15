#!/usr/bin/env bash
# Makes the release files from the built program (build/win/KESTRANE.exe):
#   KESTRANE-<version>-portable.zip  the exe, KESTRANE.BAT.example, README.txt
#   KESTRANE-<version>.msi           the per-machine installer
#   KESTRANE.exe                     the program on its own
#   SHA256SUMS                       the checksums of the three
# into dist/ (or KESTRANE_DIST_DIR). The version is the one in the exe's
# version block.
#
# With KESTRANE_SIGN_PFX (a PKCS#12 file) and KESTRANE_SIGN_PASSWORD set, the
# exe is signed before it is packed, and the msi after, with SHA-256;
# KESTRANE_SIGN_TIMESTAMP_URL, when set, adds a time stamp from that server so
# that the signatures outlive the certificate. Without them nothing is signed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=${KESTRANE_WIN_BUILD:-$root/build/win}/KESTRANE.exe
out=$(realpath -m "${KESTRANE_DIST_DIR:-$root/dist}")
# Debian's Python, which has the packages the release scripts use.
python=/usr/bin/python3

version=$("$python" "$root/scripts/exe_version.py" "$exe")
zip_name=KESTRANE-$version-portable.zip
msi_name=KESTRANE-$version.msi

# The zip's entries carry the date of the commit built, so that two builds
# of one commit give the same zip.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && commit_time=$(git -C "$root" log -1 --format=%ct 2>/dev/null); then
  export SOURCE_DATE_EPOCH=$commit_time
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Signs $1 in place. The password goes through a private file, never the
# command line, where other users could read it.
sign() {
  local args=(sign -pkcs12 "$KESTRANE_SIGN_PFX" -h sha256 -n KESTRANE -in "$1" -out "$1.signed")
  if [ -n "${KESTRANE_SIGN_PASSWORD:-}" ]; then
    (umask 077 && printf '%s' "$KESTRANE_SIGN_PASSWORD" >"$work/password")
    args+=(-readpass "$work/password")
  fi
  if [ -n "${KESTRANE_SIGN_TIMESTAMP_URL:-}" ]; then args+=(-ts "$KESTRANE_SIGN_TIMESTAMP_URL"); fi
  osslsigncode "${args[@]}" >/dev/null
  rm -f "$work/password"
  mv "$1.signed" "$1"
}
signing=${KESTRANE_SIGN_PFX:+yes}

cp "$exe" "$work/KESTRANE.exe"
if [ "$signing" = yes ]; then sign "$work/KESTRANE.exe"; fi

"$python" "$root/scripts/make_zip.py" "$work/$zip_name" \
  KESTRANE.exe="$work/KESTRANE.exe" \
  KESTRANE.BAT.example="$root/examples/KESTRANE.BAT" \
  README.txt="$root/packaging/README.txt"
bash "$root/scripts/make-msi.sh" "$work/KESTRANE.exe" "$version" "$work/$msi_name"
if [ "$signing" = yes ]; then sign "$work/$msi_name"; fi

(cd "$work" && sha256sum "$zip_name" "$msi_name" KESTRANE.exe >SHA256SUMS)

# Only now, with every file made, does dist/ change.
mkdir -p "$out"
rm -f "$out"/KESTRANE-*-portable.zip "$out"/KESTRANE-*.msi "$out/KESTRANE.exe" "$out/SHA256SUMS"
mv "$work/$zip_name" "$work/$msi_name" "$work/KESTRANE.exe" "$work/SHA256SUMS" "$out/"
echo "Release files for KESTRANE $version${signing:+ (signed)} in $out:"
(cd "$out" && cat SHA256SUMS)
